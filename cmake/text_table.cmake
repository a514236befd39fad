# The baked text table of the builds with no font engine (the browser's, Windows'): the desktop
# renders every text of the game once (tools/text_table), and draw/table_text reads the table.
# The desktop build makes the file itself, a cross build copies it from its native host build
# (cmake/native_host_build.cmake); both then make the one library of it here.
set(KX_TEXT_TABLE ${PROJECT_BINARY_DIR}/generated/text_table_data.cpp)

#   kx_text_table_data(MADE_BY)
#     MADE_BY  the target that writes ${KX_TEXT_TABLE}
# An object library: the browser's program has no source of its own but this table, and a program
# linking an object library is made of its objects.
function(kx_text_table_data made_by)
  add_library(kx_text_table_data OBJECT ${KX_TEXT_TABLE})
  add_dependencies(kx_text_table_data ${made_by})
  target_link_libraries(kx_text_table_data PUBLIC kx_draw)
endfunction()

# The native build that a cross build (the browser's, Windows') makes alongside it, for the files
# only the desktop's fonts can render: the text table and the icons. It is configured once, here;
# the cross build builds what it needs from it at each build.
#   kx_native_host_build(DIR WHAT SETUP)
#     DIR    its build folder
#     WHAT   what it renders, for the message when it cannot be configured
#     SETUP  the command that installs the desktop's build packages, for the same message
function(kx_native_host_build dir what setup)
  if(EXISTS ${dir}/build.ninja)
    return()
  endif()
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=CC --unset=CXX --unset=EMSCRIPTEN --unset=EM_CACHE
            ${CMAKE_COMMAND} -S ${PROJECT_SOURCE_DIR} -B ${dir} -G Ninja -DCMAKE_BUILD_TYPE=Release
            -DKX_BUILD_TESTS=OFF -DKX_BUILD_BENCHMARKS=OFF -DKX_BUILD_SOAK=OFF
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "The native build that renders ${what} could not be configured (see above); "
                        "it needs the desktop's build packages: ${setup} installs them.")
  endif()
endfunction()

#   kx_host_files(WHAT SETUP [TARGETS target...] COPY verb from to [COPY verb from to ...])
# The cross build's one target kx_host_files: configures the native build in
# ${PROJECT_BINARY_DIR}/host, renders the text table and the icons there at each build (and builds
# the native build's TARGETS besides), copies the table to KX_TEXT_TABLE and the rest as each COPY
# says (`cmake -E` verb, from a path in the native build, to a path of this build), and makes the
# text table's library kx_text_table_data.
# EM_CACHE is emscripten's and must not reach the native compiler.
function(kx_host_files what setup)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "TARGETS;COPY")
  list(LENGTH arg_COPY copies)
  math(EXPR bad "${copies} % 3")
  if(bad OR copies EQUAL 0 OR arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "kx_host_files: COPY takes a cmake -E verb, a path in the native build and a destination")
  endif()
  include(${PROJECT_SOURCE_DIR}/cmake/text_table.cmake)
  set(host ${PROJECT_BINARY_DIR}/host)
  kx_native_host_build(${host} "${what}" "${setup}")
  set(copy_commands "")
  set(byproducts ${KX_TEXT_TABLE})
  while(arg_COPY)
    list(POP_FRONT arg_COPY verb from to)
    list(APPEND copy_commands COMMAND ${CMAKE_COMMAND} -E ${verb} ${host}/${from} ${to})
    if(NOT verb STREQUAL "copy_directory")
      list(APPEND byproducts ${to})
    endif()
  endwhile()
  add_custom_target(kx_host_files
    COMMAND ${CMAKE_COMMAND} -E env --unset=EM_CACHE ${CMAKE_COMMAND} --build ${host} --target kx_text_table_file icons ${arg_TARGETS}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${host}/generated/text_table_data.cpp ${KX_TEXT_TABLE}
    ${copy_commands}
    BYPRODUCTS ${byproducts}
    COMMENT "Rendering ${what} in the native build"
    USES_TERMINAL)
  kx_text_table_data(kx_host_files)
endfunction()

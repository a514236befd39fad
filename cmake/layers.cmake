# The layers' one table, cmake/layers.txt (also read by tools/lint.sh --layers, which needs no
# build), and the one declaration of each layer library checked against it.
#   KX_LAYERS                the layers, bottom up, as the table lists them
#   kx_layer(NAME ...)       a layer library, kx_NAME, of the layer whose folder declares it
#   kx_write_layer_table()   the table of the layers this build declared, into the build folder
set(KX_LAYER_TABLE ${PROJECT_SOURCE_DIR}/cmake/layers.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KX_LAYER_TABLE})
file(STRINGS ${KX_LAYER_TABLE} kx_rows REGEX "^[a-z_]+:")
set(KX_LAYERS "")
foreach(row IN LISTS kx_rows)
  string(REGEX MATCH "^([a-z_]+):(.*)$" row "${row}")
  set(layer ${CMAKE_MATCH_1})
  string(STRIP "${CMAKE_MATCH_2}" below)
  string(REGEX REPLACE "[ \t]+" ";" below "${below}")
  list(APPEND KX_LAYERS ${layer})
  set_property(GLOBAL PROPERTY KX_LAYER_BELOW_${layer} "${below}")
endforeach()
unset(kx_rows)
unset(layer)
unset(below)

#   kx_layer(NAME [SOURCES file...] [PUBLIC_BELOW name...] [BELOW name...]
#            [PUBLIC_LIBS lib...] [LIBS lib...])
# Makes the static library kx_NAME in the layer of the folder under src/ that declares it, and
# links it to the layer libraries kx_<name> below it, PUBLIC (PUBLIC_BELOW) where its headers show
# them and PRIVATE (BELOW) otherwise, and to other libraries (PUBLIC_LIBS, LIBS: SDL, zlib, ...).
# A layer library may link only libraries of its own layer declared before it and of the layers
# below it in the table: any other link fails the configure, naming the layer and the link.
function(kx_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;PUBLIC_BELOW;BELOW;PUBLIC_LIBS;LIBS")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "kx_layer(${name}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  string(REGEX REPLACE "^src/" "" layer "${folder}")
  if(NOT layer IN_LIST KX_LAYERS)
    message(FATAL_ERROR "kx_${name} (${folder}): ${folder} is not a layer of cmake/layers.txt; "
                        "add its row there (bottom up)")
  endif()
  get_property(may GLOBAL PROPERTY KX_LAYER_BELOW_${layer})
  foreach(lower IN LISTS arg_PUBLIC_BELOW arg_BELOW)
    get_property(lower_layer GLOBAL PROPERTY KX_LAYER_OF_kx_${lower})
    if(NOT lower_layer)
      # Not declared yet, so not below: name its layer when it is one.
      set(lower_layer "${lower}")
      if(NOT lower IN_LIST KX_LAYERS)
        set(lower_layer "none declared before it")
      endif()
    endif()
    if(NOT lower_layer STREQUAL layer AND NOT lower_layer IN_LIST may)
      list(JOIN may " " may_text)
      if(may_text STREQUAL "")
        set(may_text "none")
      endif()
      message(FATAL_ERROR "layer ${layer} (${folder}): kx_${name} links kx_${lower} (layer ${lower_layer}), "
                          "but cmake/layers.txt lets ${layer} stand only on: ${may_text} "
                          "(a layer links only the layers below it)")
    endif()
  endforeach()

  add_library(kx_${name} STATIC ${arg_SOURCES})
  list(TRANSFORM arg_PUBLIC_BELOW PREPEND kx_)
  list(TRANSFORM arg_BELOW PREPEND kx_)
  target_link_libraries(kx_${name} PUBLIC ${arg_PUBLIC_BELOW} ${arg_PUBLIC_LIBS} PRIVATE ${arg_BELOW} ${arg_LIBS})
  set_property(GLOBAL PROPERTY KX_LAYER_OF_kx_${name} ${layer})
  set_property(GLOBAL APPEND PROPERTY KX_LAYERS_DECLARED ${layer})
endfunction()

# build/<preset>/layers.txt: the rows of cmake/layers.txt for the layers this build declared (a
# front end's build leaves the other front ends out), in the table's format: what this build has.
function(kx_write_layer_table)
  get_property(declared GLOBAL PROPERTY KX_LAYERS_DECLARED)
  set(text "# The layers this build declared, bottom up, from cmake/layers.txt.\n")
  foreach(layer IN LISTS KX_LAYERS)
    if(layer IN_LIST declared)
      get_property(below GLOBAL PROPERTY KX_LAYER_BELOW_${layer})
      list(JOIN below " " below)
      string(STRIP "${layer}: ${below}" row)
      string(APPEND text "${row}\n")
    endif()
  endforeach()
  file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/layers.txt CONTENT "${text}" @ONLY)
endfunction()

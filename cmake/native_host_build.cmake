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

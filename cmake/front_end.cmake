# The one choice of front end, KX_FRONT_END, and what it means for the build: which layers are
# left out, what the program's main() is and links, and what the system must provide. Everything
# else that differs between the builds asks KX_FRONT_END, never the toolchain.
#   sdl    the desktop (SDL); the tests, the tools, the Debian package
#   win32  Windows through Win32 (the windows preset, Debian's mingw-w64); its zip and installer
#   web    the browser page (the web preset, Debian's emscripten); the layers up to run/ and web/
# Each toolchain builds exactly one of them, which is the default; another is refused.
if(EMSCRIPTEN)
  set(kx_toolchain_front_end web)
  set(kx_toolchain "emscripten")
elseif(WIN32)
  set(kx_toolchain_front_end win32)
  set(kx_toolchain "a Windows compiler (${CMAKE_CXX_COMPILER_ID})")
else()
  set(kx_toolchain_front_end sdl)
  set(kx_toolchain "a native compiler (${CMAKE_CXX_COMPILER_ID})")
endif()
set(KX_FRONT_END ${kx_toolchain_front_end} CACHE STRING "The front end to build: sdl, win32 or web (from the toolchain)")
set_property(CACHE KX_FRONT_END PROPERTY STRINGS sdl win32 web)
if(NOT KX_FRONT_END MATCHES "^(sdl|win32|web)$")
  message(FATAL_ERROR "KX_FRONT_END=${KX_FRONT_END}: the front ends are sdl, win32 and web")
endif()
if(NOT KX_FRONT_END STREQUAL kx_toolchain_front_end)
  message(FATAL_ERROR "KX_FRONT_END=${KX_FRONT_END} does not match the toolchain: ${kx_toolchain} builds "
                      "KX_FRONT_END=${kx_toolchain_front_end} (the presets: default for sdl, windows for "
                      "win32, web for web)")
endif()
message(STATUS "Front end: ${KX_FRONT_END}")

# KX_LAYERS_LEFT_OUT: the layers of cmake/layers.txt this front end does not build. web/ and null/
# are built in every native build: the page's calls and the null front end are tested natively.
# KX_MAIN_*: the program kippura-x, made by src/app.
#   KX_PORTABLE (sdl only)  the portable Linux build (the portable preset): the text from the baked
#                           table, the C++ library and zlib linked in; the game then needs only
#                           glibc, SDL2 and libX11 of the system (cmake/portable_package.cmake)
option(KX_PORTABLE "The portable Linux build: text from the baked table, needing only glibc, SDL2 and libX11" OFF)
if(KX_PORTABLE AND NOT KX_FRONT_END STREQUAL sdl)
  message(FATAL_ERROR "KX_PORTABLE is the desktop's (KX_FRONT_END=sdl), not ${KX_FRONT_END}'s")
endif()
if(KX_FRONT_END STREQUAL sdl)
  set(KX_LAYERS_LEFT_OUT windows)
  set(KX_MAIN_KIND "")
  set(KX_MAIN_COMPILE_OPTIONS "")
  if(KX_PORTABLE)
    set(KX_MAIN_SOURCE portable_main.cpp)
    set(KX_MAIN_LINK_OPTIONS -static-libstdc++ -static-libgcc -Wl,--as-needed)
    set(KX_MAIN_LIBRARIES kx_platform kx_text_table_data)
    set(ZLIB_USE_STATIC_LIBS ON)
  else()
    set(KX_MAIN_SOURCE main.cpp)
    set(KX_MAIN_LINK_OPTIONS "")
    set(KX_MAIN_LIBRARIES kx_platform kx_fonts)
  endif()
  # The desktop's system libraries, found once for the front end, the tests and the tools.
  find_package(SDL2 REQUIRED CONFIG)
  find_package(SDL2_ttf REQUIRED CONFIG)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
  find_package(X11 REQUIRED)
elseif(KX_FRONT_END STREQUAL win32)
  set(KX_LAYERS_LEFT_OUT platform)
  # A windowed (GUI-subsystem) program with a wide-character main, its symbols left out of the
  # released exe. Its icon, version and manifest come with kx_windows.
  set(KX_MAIN_SOURCE windows_main.cpp)
  set(KX_MAIN_KIND WIN32)
  set(KX_MAIN_COMPILE_OPTIONS -municode)
  set(KX_MAIN_LINK_OPTIONS -municode $<$<CONFIG:Release>:-s>)
  set(KX_MAIN_LIBRARIES kx_windows kx_text_table_data)
else()
  # In the browser only the layers up to run/ and the page's own front end: no SDL, no fonts, no
  # program of app/, no desktop tools or tests.
  set(KX_LAYERS_LEFT_OUT platform windows null app)
endif()

# Cross-building kippura-x.exe on Debian with its mingw-w64 compilers (g++-mingw-w64-x86-64-posix:
# the posix flavour has std::thread and the other C++ threading facilities).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries and headers from the mingw tree only; programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Every program is one static exe, which needs no DLL beyond Windows' own: the C++ run-time and
# zlib (libz.a, not the import library of its DLL) are linked in. The linker stamps an exe with the
# time of linking (or SOURCE_DATE_EPOCH from the build's environment): with 0 instead, two builds
# of the same sources make the same exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")
set(ZLIB_USE_STATIC_LIBS ON)

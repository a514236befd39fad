# The portable Linux build (the portable preset, KX_PORTABLE): the game, which draws its text from
# the baked table and has the C++ library and zlib linked in, and its launcher, packed with the
# desktop's files into kippura-x-VERSION-linux-x86_64.tar.gz in build/portable/packages. It runs
# on glibc 2.34 or later with the system's SDL2 and libX11, on any distribution
# (tools/portable_check.sh checks that in a bare root).

# What glibc gained after 2.34, defined in the programs themselves (src/app/older_glibc.cpp).
add_library(kx_older_glibc OBJECT ${PROJECT_SOURCE_DIR}/src/app/older_glibc.cpp)
target_link_libraries(kippura-x PRIVATE kx_older_glibc)
# Symbols are of no use to a player: left out, as in the Windows exe.
target_link_options(kippura-x PRIVATE -s)

# `kippura-x` at the top of the folder: finds SDL2 and libX11 before it starts the game.
add_executable(kx_portable_launcher ${PROJECT_SOURCE_DIR}/src/app/portable_launcher.cpp)
target_link_libraries(kx_portable_launcher PRIVATE kx_portable_start kx_older_glibc)
target_link_options(kx_portable_launcher PRIVATE ${KX_MAIN_LINK_OPTIONS} -s)

set(KX_PORTABLE_FOLDER kippura-x-${PROJECT_VERSION}-linux-x86_64)
set(KX_PORTABLE_TARBALL ${PROJECT_BINARY_DIR}/packages/${KX_PORTABLE_FOLDER}.tar.gz)
set(kx_portable_inputs
  ${PROJECT_SOURCE_DIR}/data/portable/README
  ${PROJECT_SOURCE_DIR}/LICENSE
  ${PROJECT_SOURCE_DIR}/tests/replays/full_game.txt
  ${PROJECT_SOURCE_DIR}/data/org.kippurax.kippurax.desktop
  ${PROJECT_SOURCE_DIR}/data/org.kippurax.kippurax.replay.desktop
  ${PROJECT_SOURCE_DIR}/data/org.kippurax.kippurax.mime.xml
  ${PROJECT_SOURCE_DIR}/data/org.kippurax.kippurax.metainfo.xml
  ${PROJECT_SOURCE_DIR}/cmake/portable_tarball.cmake)
add_custom_command(
  OUTPUT ${KX_PORTABLE_TARBALL}
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR} -DBUILD=${PROJECT_BINARY_DIR}
          -DFOLDER=${KX_PORTABLE_FOLDER} -DTARBALL=${KX_PORTABLE_TARBALL} -DEPOCH=${KX_SOURCE_DATE_EPOCH}
          -DGAME=$<TARGET_FILE:kippura-x> -DLAUNCHER=$<TARGET_FILE:kx_portable_launcher>
          -DMAN=${KX_MAN_GZ} -DICONS=${PROJECT_BINARY_DIR}/icons
          -P ${PROJECT_SOURCE_DIR}/cmake/portable_tarball.cmake
  DEPENDS kippura-x kx_portable_launcher icons kx_compressed_docs ${kx_portable_inputs}
  COMMENT "Packing ${KX_PORTABLE_TARBALL}"
  VERBATIM)
add_custom_target(portable_package ALL DEPENDS ${KX_PORTABLE_TARBALL})

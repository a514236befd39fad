# The Windows packages, made by every build of the windows preset: a portable zip (the exe, a
# README, the LICENSE and a whole game's replay in one folder) and an installer made with Debian's
# nsis (see data/windows/kippura-x.nsi). Both in build/windows/packages.
set(KX_PACKAGES ${PROJECT_BINARY_DIR}/packages)
set(KX_ZIP ${KX_PACKAGES}/kippura-x-${PROJECT_VERSION}-windows-x64.zip)
set(KX_SETUP ${KX_PACKAGES}/kippura-x-${PROJECT_VERSION}-setup.exe)
set(KX_STAGE ${PROJECT_BINARY_DIR}/package-files)
set(KX_FOLDER kippura-x-${PROJECT_VERSION})

# The texts with Windows' line ends, for every editor a player may open them in.
foreach(pair "data/windows/README.txt|README.txt" "LICENSE|LICENSE.txt")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 source)
  list(GET pair 1 name)
  configure_file(${PROJECT_SOURCE_DIR}/${source} ${KX_STAGE}/${name}.lf @ONLY)
  file(READ ${KX_STAGE}/${name}.lf text)
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${KX_STAGE}/${name} "${text}")
endforeach()
set(KX_README ${KX_STAGE}/README.txt)
set(KX_LICENSE ${KX_STAGE}/LICENSE.txt)
# The whole game of the golden replay, for the README's "--input whole-game-replay.kxr" (a recording,
# which the installer lets Explorer open with the game): its bytes as recorded, as the game reads
# Linux's line ends and Windows' alike.
set(KX_REPLAY ${KX_STAGE}/whole-game-replay.kxr)
configure_file(${PROJECT_SOURCE_DIR}/tests/replays/full_game.txt ${KX_REPLAY} COPYONLY)

# The zip, the same bytes from the same files (cmake/windows_zip.cmake): the entries' times are
# KX_SOURCE_DATE_EPOCH (cmake/source_date.cmake), their modes fixed.
add_custom_command(
  OUTPUT ${KX_ZIP}
  COMMAND ${CMAKE_COMMAND} -DSTAGE=${KX_STAGE} -DFOLDER=${KX_FOLDER} -DZIP=${KX_ZIP} -DEPOCH=${KX_SOURCE_DATE_EPOCH}
          -DEXE=$<TARGET_FILE:kippura-x> -DREADME=${KX_README} -DLICENSE=${KX_LICENSE} -DREPLAY=${KX_REPLAY}
          -P ${PROJECT_SOURCE_DIR}/cmake/windows_zip.cmake
  DEPENDS kippura-x ${KX_README} ${KX_LICENSE} ${KX_REPLAY} ${PROJECT_SOURCE_DIR}/cmake/windows_zip.cmake
  COMMENT "Packing ${KX_ZIP}"
  VERBATIM)
set(KX_PACKAGE_FILES ${KX_ZIP})

find_program(KX_MAKENSIS makensis)
if(KX_MAKENSIS)
  set(KX_NSI ${PROJECT_SOURCE_DIR}/data/windows/kippura-x.nsi)
  add_custom_command(
    OUTPUT ${KX_SETUP}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KX_PACKAGES}
    COMMAND ${KX_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DEXE=$<TARGET_FILE:kippura-x> -DREADME=${KX_README}
            -DLICENSE=${KX_LICENSE} -DREPLAY=${KX_REPLAY} -DICON=${PROJECT_BINARY_DIR}/generated/kippura-x.ico
            -DOUTFILE=${KX_SETUP} ${KX_NSI}
    DEPENDS kippura-x ${KX_NSI} ${KX_README} ${KX_LICENSE} ${KX_REPLAY}
    COMMENT "Making the installer ${KX_SETUP}"
    VERBATIM)
  list(APPEND KX_PACKAGE_FILES ${KX_SETUP})
else()
  message(STATUS "Skipping the installer (no makensis: nsis)")
endif()
add_custom_target(windows_packages ALL DEPENDS ${KX_PACKAGE_FILES})

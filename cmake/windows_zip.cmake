# Packs the Windows zip (cmake/windows_packages.cmake):
#   cmake -DSTAGE= -DFOLDER= -DZIP= -DEPOCH= -DEXE= -DREADME= -DLICENSE= -DREPLAY= -P windows_zip.cmake
# The same bytes from the same files, wherever and whenever they are built: the entries in a fixed
# order, the exe rwxr-xr-x and the rest rw-r--r-- whatever the builder's umask, every time of every
# entry EPOCH (SOURCE_DATE_EPOCH). (libarchive also writes the builder's user and group ids into each
# entry: builds by one user match.)
set(top ${STAGE}/${FOLDER})
file(REMOVE_RECURSE ${top})
file(MAKE_DIRECTORY ${top})
file(COPY ${EXE} DESTINATION ${top}
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(COPY ${README} ${LICENSE} ${REPLAY} DESTINATION ${top} FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

get_filename_component(packages ${ZIP} DIRECTORY)
file(MAKE_DIRECTORY ${packages})
file(REMOVE ${ZIP})
# `cmake -E tar` gives an entry's every time (modified, accessed, changed) SOURCE_DATE_EPOCH; the
# zip's DOS date is in local time, which libarchive takes from TZ: UTC here.
set(ENV{SOURCE_DATE_EPOCH} ${EPOCH})
set(ENV{TZ} UTC)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${FOLDER}/kippura-x.exe ${FOLDER}/README.txt
          ${FOLDER}/LICENSE.txt ${FOLDER}/whole-game-replay.kxr
  WORKING_DIRECTORY ${STAGE}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE ${ZIP})
  message(FATAL_ERROR "Packing ${ZIP} failed: ${result}")
endif()

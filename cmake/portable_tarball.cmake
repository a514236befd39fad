# Packs the portable build's folder (cmake/portable_package.cmake):
#   cmake -DSOURCE= -DBUILD= -DFOLDER= -DTARBALL= -DEPOCH= -DGAME= -DLAUNCHER= -DMAN= -DICONS=
#         -P portable_tarball.cmake
# The same bytes from the same files: entries sorted by name, owned by root, their modes set
# whatever the builder's umask, their time EPOCH (SOURCE_DATE_EPOCH), gzip without name or time.
set(stage ${BUILD}/portable-files)
set(top ${stage}/${FOLDER})
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${top})

function(put source destination)
  get_filename_component(folder ${top}/${destination} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  file(COPY_FILE ${source} ${top}/${destination})
endfunction()

put(${LAUNCHER} kippura-x)
put(${GAME} libexec/kippura-x)
put(${SOURCE}/data/portable/README README)
put(${SOURCE}/LICENSE LICENSE)
put(${SOURCE}/tests/replays/full_game.txt whole-game-replay.kxr)
# The desktop entries start `kippura-x` from the PATH, where the README has it linked.
put(${SOURCE}/data/org.kippurax.kippurax.desktop share/applications/org.kippurax.kippurax.desktop)
put(${SOURCE}/data/org.kippurax.kippurax.replay.desktop share/applications/org.kippurax.kippurax.replay.desktop)
put(${SOURCE}/data/org.kippurax.kippurax.mime.xml share/mime/packages/org.kippurax.kippurax.xml)
put(${SOURCE}/data/org.kippurax.kippurax.metainfo.xml share/metainfo/org.kippurax.kippurax.metainfo.xml)
foreach(size 16 32 48 64 128 256)
  put(${ICONS}/${size}x${size}/org.kippurax.kippurax.png share/icons/hicolor/${size}x${size}/apps/org.kippurax.kippurax.png)
endforeach()
put(${MAN} share/man/man6/kippura-x.6.gz)

get_filename_component(packages ${TARBALL} DIRECTORY)
file(MAKE_DIRECTORY ${packages})
execute_process(
  COMMAND tar --create --file=- --directory=${stage} --sort=name --format=gnu --owner=0 --group=0
          --numeric-owner --mtime=@${EPOCH} --mode=u=rwX,go=rX ${FOLDER}
  COMMAND gzip -9 --no-name
  OUTPUT_FILE ${TARBALL}
  RESULTS_VARIABLE results)
foreach(result IN LISTS results)
  if(NOT result EQUAL 0)
    file(REMOVE ${TARBALL})
    message(FATAL_ERROR "Packing ${TARBALL} failed: ${results}")
  endif()
endforeach()

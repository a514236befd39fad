# The Debian package's modes whatever the umask of the build (cmake/packaging.cmake runs this in
# cpack, before and after it packs). CPack takes every mode from the files it packs: the files
# installed have theirs from install(), but the folders the install makes and the package's own
# three members (debian-binary, control.tar.gz, data.tar.gz) get the umask's, rwx------ and
# rw------- under umask 077. So, before packing, every folder of the package becomes rwxr-xr-x;
# after, the mode of each member in the package's ar headers becomes rw-r--r--, as under umask 022.
if(NOT DEFINED CPACK_PACKAGE_FILES)
  file(GLOB_RECURSE folders LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
  foreach(folder IN LISTS folders)
    if(IS_DIRECTORY "${folder}" AND NOT IS_SYMLINK "${folder}")
      file(CHMOD "${folder}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                          WORLD_READ WORLD_EXECUTE)
    endif()
  endforeach()
  return()
endif()

# An ar header is 60 characters: name 16, time 12, owner 6, group 6, mode 8, size 10, "`\n".
set(mode_file "${CPACK_TOPLEVEL_DIRECTORY}/ar_member_mode")
file(WRITE "${mode_file}" "100644  ")
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  if(NOT deb MATCHES "\\.deb$")
    continue()
  endif()
  file(SIZE "${deb}" deb_size)
  set(offset 8)  # after "!<arch>\n"
  while(offset LESS deb_size)
    file(READ "${deb}" header OFFSET ${offset} LIMIT 60)
    string(SUBSTRING "${header}" 40 8 mode)
    string(SUBSTRING "${header}" 48 10 size)
    string(STRIP "${size}" size)
    if(NOT mode MATCHES "^100[0-7][0-7][0-7] *$" OR NOT size MATCHES "^[0-9]+$")
      message(FATAL_ERROR "${deb}: no ar header at byte ${offset} (mode '${mode}', size '${size}')")
    endif()
    if(NOT mode STREQUAL "100644  ")
      math(EXPR mode_at "${offset} + 40")
      execute_process(COMMAND dd "of=${deb}" bs=1 seek=${mode_at} conv=notrunc status=none
                      INPUT_FILE "${mode_file}" RESULT_VARIABLE result)
      if(NOT result EQUAL 0)
        message(FATAL_ERROR "${deb}: could not write the mode of its member at byte ${offset}")
      endif()
    endif()
    math(EXPR offset "${offset} + 60 + ${size} + ${size} % 2")  # members start at even bytes
  endwhile()
endforeach()
file(REMOVE "${mode_file}")

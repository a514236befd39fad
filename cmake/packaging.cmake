# Installing the game (program, the whole-game replay, desktop entries, the recordings' file type,
# AppStream metainfo, manual page, copyright and changelog) and the Debian package CPack builds of it, laid out as Debian's policy and lintian ask.
include(GNUInstallDirs)

# Debian puts games in /usr/games (and /usr/local/games), which are on the users' PATH.
set(KX_INSTALL_GAMESDIR games CACHE STRING "Where the game program goes, relative to the install prefix")

install(TARGETS kippura-x RUNTIME DESTINATION ${KX_INSTALL_GAMESDIR})
# A whole game recorded from the title to its ending, for players who want to see it end:
# kippura-x --input /usr/share/games/kippura-x/whole-game-replay.kxr (or a double click on it).
set(KX_INSTALL_GAMEDATADIR ${CMAKE_INSTALL_DATADIR}/games/kippura-x CACHE STRING
    "Where the game's data (the whole-game replay) goes, relative to the install prefix")
install(FILES tests/replays/full_game.txt DESTINATION ${KX_INSTALL_GAMEDATADIR} RENAME whole-game-replay.kxr)
install(FILES data/org.kippurax.kippurax.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Recordings (*.kxr) as a file type of their own, application/x-kippura-x-recording, for
# shared-mime-info; the second desktop entry below opens them. On Debian, dpkg's triggers of
# shared-mime-info and desktop-file-utils update the MIME and desktop databases: the package needs
# no maintainer script for them.
install(FILES data/org.kippurax.kippurax.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME org.kippurax.kippurax.xml)
install(FILES data/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The desktop entries: the game in the menu, and the one that a file manager starts for a
# recording (hidden from the menu, as it wants a file: kippura-x --input FILE). Both name the
# program by its full path: the menu must start the game even where the session's PATH lacks the
# games folder. The prefix is only known when installing (cpack installs into /usr,
# `cmake --install` into /usr/local or --prefix), so the path is written then.
set(KX_DESKTOP_ENTRIES org.kippurax.kippurax.desktop org.kippurax.kippurax.replay.desktop)
set(KX_DESKTOP_SOURCE ${PROJECT_SOURCE_DIR}/data)
set(KX_DESKTOP_STAGED ${PROJECT_BINARY_DIR}/install-staging)
string(CONFIGURE [[
  foreach(kx_name @KX_DESKTOP_ENTRIES@)
    file(READ "@KX_DESKTOP_SOURCE@/${kx_name}" kx_entry)
    string(REGEX REPLACE "\nExec=kippura-x([ \n])" "\nExec=${CMAKE_INSTALL_PREFIX}/@KX_INSTALL_GAMESDIR@/kippura-x\\1"
           kx_entry_full "${kx_entry}")
    if(kx_entry_full STREQUAL kx_entry)
      message(FATAL_ERROR "@KX_DESKTOP_SOURCE@/${kx_name} has no line Exec=kippura-x to complete")
    endif()
    file(WRITE "@KX_DESKTOP_STAGED@/${kx_name}" "${kx_entry_full}")
    file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_DATADIR@/applications" TYPE FILE
         FILES "@KX_DESKTOP_STAGED@/${kx_name}")
  endforeach()
]] KX_DESKTOP_INSTALL @ONLY)
install(CODE "${KX_DESKTOP_INSTALL}")

# The manual page and the changelog compressed as Debian wants them: gzip -9, without the name
# and time stamp that would make two builds of the same sources differ.
find_program(KX_GZIP gzip REQUIRED)
set(KX_MAN_GZ ${PROJECT_BINARY_DIR}/doc/kippura-x.6.gz)
set(KX_CHANGELOG_GZ ${PROJECT_BINARY_DIR}/doc/changelog.gz)
foreach(pair "data/kippura-x.6|${KX_MAN_GZ}" "data/changelog|${KX_CHANGELOG_GZ}")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 source)
  list(GET pair 1 output)
  string(REGEX REPLACE "\\.gz$" "" plain "${output}")
  add_custom_command(OUTPUT ${output}
                     COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/${source} ${plain}
                     COMMAND ${KX_GZIP} -9nf ${plain}
                     DEPENDS ${PROJECT_SOURCE_DIR}/${source}
                     COMMENT "Compressing ${source}"
                     VERBATIM)
endforeach()
add_custom_target(kx_compressed_docs ALL DEPENDS ${KX_MAN_GZ} ${KX_CHANGELOG_GZ})
install(FILES ${KX_MAN_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${KX_CHANGELOG_GZ} DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kippura-x)
set(CPACK_PACKAGE_CONTACT "kippura-x team <team@kippurax.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Fly the chick, shoot the ducks, beat five bosses")
set(CPACK_PACKAGE_DESCRIPTION "\
A small shooting game for the desktop. The player flies a chick over a
cyan sky with the arrow keys and fires with Z, one shot at a time. Ducks
fly in from the right, each with its own bullet, and every duck shot down
scores a point. The nineteenth duck of each of the five stages brings a
boss that must be hit six times on its weak spot. A power-up turns the
chick into a hen that survives one bullet; after the fifth boss the staff
roll plays.

Games can be recorded and replayed exactly, in the window or without a
screen. A game controller works too.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # the libraries, from what the binary links
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fontconfig")  # found at run time
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The package's times (its ar members, the control and data archives' entries) are CPack's
# SOURCE_DATE_EPOCH at the time cpack runs, or else the clock: cpack runs with the one time stamp
# this build was configured with (cmake/source_date.cmake), whatever its environment says.
set(KX_CPACK_CONFIG ${PROJECT_BINARY_DIR}/cpack_config.cmake)
file(CONFIGURE OUTPUT ${KX_CPACK_CONFIG} CONTENT "set(ENV{SOURCE_DATE_EPOCH} @KX_SOURCE_DATE_EPOCH@)\n" @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${KX_CPACK_CONFIG})
# The package's folders and members have the same modes whatever the umask (cmake/deb_modes.cmake).
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/deb_modes.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/deb_modes.cmake)
include(CPack)

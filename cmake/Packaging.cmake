# What `cmake --install` puts where, and the packages CPack makes of it: a Debian package on
# Linux (the data folder becomes a read-only template under share/, which each user's start
# copies into their own data folder), a zip on Windows (the programs beside their data
# folder, as the build folder has them).
if(WIN32)
  set(holmik_bin_dest .)
  set(holmik_data_dest data)
else()
  set(holmik_bin_dest ${CMAKE_INSTALL_BINDIR})
  set(holmik_data_dest ${HOLMIK_TEMPLATE_DIR})
endif()

foreach(program holmikziviza holmik-query holmik-testserver)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${holmik_bin_dest})
  endif()
endforeach()

file(GLOB holmik_data_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/files/*)
install(FILES ${holmik_data_files} DESTINATION ${holmik_data_dest})

if(WIN32)
  install(FILES ${HOLMIK_FONT_SOURCE} DESTINATION ${holmik_data_dest} RENAME tahoma.ttf)
  install(FILES ${HOLMIK_DATA_DIR}/HolmikZiviza.lnk DESTINATION ${holmik_data_dest})
  install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/data/FONT-LICENSE.md DESTINATION .)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_PACKAGE_FILE_NAME "holmikziviza-${PROJECT_VERSION}-windows")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  # A system font is linked, and the package depends on the font's package; any other font
  # is copied.
  string(FIND "${HOLMIK_FONT_SOURCE}" "/usr/share/fonts/" holmik_font_at)
  set(holmik_font_link OFF)
  if(holmik_font_at EQUAL 0)
    set(holmik_font_link ON)
    install(CODE "
      file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${holmik_data_dest}\")
      file(RELATIVE_PATH font \"\${CMAKE_INSTALL_PREFIX}/${holmik_data_dest}\" \"${HOLMIK_FONT_SOURCE}\")
      file(CREATE_LINK \"\${font}\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${holmik_data_dest}/tahoma.ttf\" SYMBOLIC)
    ")
  else()
    install(FILES ${HOLMIK_FONT_SOURCE} DESTINATION ${holmik_data_dest} RENAME tahoma.ttf)
  endif()

  # The launcher that autostart starts points at the installed program.
  install(CODE "
    set(launcher \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${holmik_data_dest}/HolmikZiviza.lnk\")
    file(WRITE \"\${launcher}\" \"#!/bin/sh\\n# HolmikZiviza's launcher, as the autostart entry starts it.\\nexec \${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/holmikziviza \\\"\\$@\\\"\\n\")
    file(CHMOD \"\${launcher}\" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  ")

  set(pkg ${CMAKE_SOURCE_DIR}/packaging)
  set(app_id net.holmikziviza.HolmikZiviza)
  install(FILES ${pkg}/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${pkg}/${app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${pkg}/holmikziviza.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

  # Man pages and the changelog go in compressed, as Debian keeps them.
  find_program(HOLMIK_GZIP gzip REQUIRED)
  set(holmik_gz_dir ${CMAKE_BINARY_DIR}/packaging)
  set(holmik_gz_outputs)
  foreach(page holmikziviza.1 holmik-query.1 holmik-testserver.1 changelog.Debian)
    add_custom_command(OUTPUT ${holmik_gz_dir}/${page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${holmik_gz_dir}
      COMMAND ${HOLMIK_GZIP} -9nc ${pkg}/${page} > ${holmik_gz_dir}/${page}.gz
      DEPENDS ${pkg}/${page} VERBATIM)
    list(APPEND holmik_gz_outputs ${holmik_gz_dir}/${page}.gz)
  endforeach()
  add_custom_target(holmik_packaging_files ALL DEPENDS ${holmik_gz_outputs})
  install(FILES ${holmik_gz_dir}/holmikziviza.1.gz ${holmik_gz_dir}/holmik-query.1.gz ${holmik_gz_dir}/holmik-testserver.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${holmik_gz_dir}/changelog.Debian.gz ${pkg}/copyright
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/holmikziviza)

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_NAME holmikziviza)
  set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
  set(CPACK_DEBIAN_PACKAGE_SECTION net)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  if(holmik_font_link)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)
  endif()
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS "zenity | kdialog | x11-utils")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.holmikziviza.net/")
endif()

set(CPACK_PACKAGE_NAME holmikziviza)
set(CPACK_PACKAGE_VENDOR "The HolmikZiviza developers")
set(CPACK_PACKAGE_CONTACT "The HolmikZiviza developers <developers@holmikziviza.net>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "status window of a Counter-Strike server")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "An always-present, borderless, see-through window on the desktop that shows\n"
  "the state of one community's Counter-Strike server: online or offline, ping,\n"
  "map with its picture, password, VAC, bots, players and the player list.\n"
  "A Join Game link starts the game through Steam. holmik-query asks a game\n"
  "server for its state from the command line.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
include(CPack)

# What the Debian package installs, and how CPack builds it (scripts/package.sh):
# the programs in /usr/bin, the update notes where the program finds them, the
# desktop entry and icon, the man pages, and the systemd units of the nightly import.
include(GNUInstallDirs)

install(TARGETS logimporter stationdb RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/src/Updates.rtf DESTINATION ${CMAKE_INSTALL_DATADIR}/logimporter)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/formats/ DESTINATION ${CMAKE_INSTALL_DATADIR}/logimporter/formats)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/logimporter.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/logimporter.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/systemd/logimporter-import@.service
              ${PROJECT_SOURCE_DIR}/packaging/systemd/logimporter-import@.timer
              ${PROJECT_SOURCE_DIR}/packaging/systemd/logimporter-import@.path
              ${PROJECT_SOURCE_DIR}/packaging/systemd/logimporter-check@.service
              ${PROJECT_SOURCE_DIR}/packaging/systemd/logimporter-check@.timer
              ${PROJECT_SOURCE_DIR}/packaging/systemd/logimporter-alert@.service
        DESTINATION lib/systemd/system)
install(PROGRAMS ${PROJECT_SOURCE_DIR}/packaging/logimporter-alert DESTINATION lib/logimporter)
# Kept as the station edits it: a configuration file of the package's (conffiles).
install(FILES ${PROJECT_SOURCE_DIR}/packaging/alert.conf DESTINATION /etc/logimporter)

# Man pages carry the program's version and go compressed, as Debian keeps them.
foreach(page logimporter stationdb)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${page}.1.in ${CMAKE_BINARY_DIR}/man/${page}.1 @ONLY)
  set(gz ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${gz}
                     COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/man/${page}.1 > ${gz}
                     DEPENDS ${CMAKE_BINARY_DIR}/man/${page}.1)
  list(APPEND man_pages ${gz})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME logimporter)
set(CPACK_PACKAGE_VENDOR "Log Importer developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fills a radio station's Scheduled Log from its music and advert logs")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Log Importer reads the daily log files of a station's music and advert scheduling programs and writes "
       "them into the Scheduled Log of its Station Database, from a main window or unattended every night "
       "(systemd timer logimporter-import@PROFILE.timer).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # logimporter_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Log Importer developers <logimporter@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so not seen by the library scan: the SQLite driver of Qt's
# SQL module and the platform plugins of the windows; adduser for the postinst.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "adduser, libqt6sql6-sqlite, libqt6sql6-psql, qt6-qpa-plugins")
# What the alert examples of alert.conf send with: a mail to the relay, a webhook.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "msmtp, curl")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/postinst
                                      ${PROJECT_SOURCE_DIR}/packaging/prerm ${PROJECT_SOURCE_DIR}/packaging/postrm
                                      ${PROJECT_SOURCE_DIR}/packaging/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

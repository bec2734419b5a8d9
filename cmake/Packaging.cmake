# SPDX-License-Identifier: GPL-3.0-or-later
# What an installation holds besides the program and its icons, and the Debian package CPack
# makes of it (scripts/package builds it from a Release build).

set(linvox_packaging_dir ${PROJECT_SOURCE_DIR}/packaging/linux)
set(linvox_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/linvox)

install(FILES ${linvox_packaging_dir}/linvox.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${linvox_packaging_dir}/copyright DESTINATION ${linvox_doc_dir})

# The day PROJECT_VERSION was released, for the AppStream release and the manual pages; change the
# two together.
set(LINVOX_RELEASE_DATE 2026-12-07)
configure_file(${linvox_packaging_dir}/example.linvox.Linvox.metainfo.xml.in
               example.linvox.Linvox.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/example.linvox.Linvox.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# A package made by the project itself, so its Debian changelog is the one entry of the version
# built, dated when the build was configured (or at SOURCE_DATE_EPOCH, for reproducible builds).
string(TIMESTAMP LINVOX_BUILD_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${linvox_packaging_dir}/changelog.in changelog @ONLY)

# The manual page, in English and in Ukrainian.
configure_file(${linvox_packaging_dir}/linvox.1.in linvox.1 @ONLY)
configure_file(${linvox_packaging_dir}/linvox.uk.1.in linvox.uk.1 @ONLY)
# Debian wants manual pages and changelogs compressed with the highest level and without a time stamp, so the
# package comes out the same from the same sources.
foreach(document linvox.1 linvox.uk.1 changelog)
  add_custom_command(
    OUTPUT ${document}.gz
    COMMAND gzip -9 -n -c ${document} > ${document}.gz
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${document})
endforeach()
add_custom_target(linvox_compressed_documents ALL DEPENDS linvox.1.gz linvox.uk.1.gz changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/linvox.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/linvox.uk.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/uk/man1
        RENAME linvox.1.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${linvox_doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME linvox)
set(CPACK_PACKAGE_VENDOR "The Linvox developers")
set(CPACK_PACKAGE_CONTACT "Linvox developers <packages@linvox.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "dial phone links through a phone or GSM modem")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE http://linvox.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Added to what dpkg-shlibdeps finds: Qt loads its display plugins and its translations at run
# time, so no library names them. X11's plugin comes with qt6-qpa-plugins; without Wayland's, a
# Wayland session shows the window through Xwayland, or dials without one. Without Qt's
# translations, Qt's own texts (a message box's button, a line edit's menu) stay in English.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# CPack puts the summary above this and indents it as the control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Click a tel:, callto:, sip: or skype: link, and Linvox turns it into a
Ukrainian phone number, works out the mobile operator from its prefix,
picks the serial port of the phone that holds that operator's SIM, and
tells the phone to dial, without a window appearing.

Started on its own, it opens one small window for typing a number and
for assigning a port to each operator.")
include(CPack)

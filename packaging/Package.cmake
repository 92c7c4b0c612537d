# The Debian package (cpack -G DEB, run by scripts/package.sh): package
# tavocps with everything the install rules put under /usr, the machine
# settings made in /etc/xdg/Vantrel by postinst, the copyright file and the
# changelog, and the dependencies dpkg-shlibdeps finds in the programs plus
# what they load or start at run time.

set(TAVO_PACKAGE_MAINTAINER "Vantrel <support@vantrel.example>" CACHE STRING
  "Maintainer field of the Debian package (name <e-mail>)")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavocps)
set(CPACK_PACKAGE_VENDOR Vantrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${TAVO_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The machine settings go to an absolute /etc; the staging folder takes them.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded as plug-ins or started, so not found in the programs' links: the
# help index's database driver and the e-mail hand-over; Qt's own texts for
# the standard dialogs in German and French.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming tool for licence-free two-way business radios")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Reads the configuration of an Olvan, Zerva, Pemba, Sorra or Tulka portable
radio through its USB programming cable, lets a dealer or user edit it as a
profile (channels, frequencies, CT/DCS squelch codes, buttons, scan list,
settings) and writes it back into the same radio or into further radios of a
compatible model. Profiles are kept in files; reports are printed or sent by
e-mail; channel plans are exchanged as CHIRP CSV files.
.
The package holds the GUI (tavocps), the command-line program (tavocps-cli),
a simulated radio for trying it without one (tavo-radio-sim) and the udev
rule that gives the programming cable to the dialout group.")
# The machine settings' file name has spaces, which a conffile may not have:
# the package leaves its copy to postinst (from /usr/share/tavocps) and
# removes it on purge.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/deb/postinst ${CMAKE_CURRENT_SOURCE_DIR}/deb/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The copyright file as it is, the changelog compressed the way Debian
# wants it (gzip -9n: no name or time stamp, so the package is reproducible).
set(TAVO_DEB_DOC ${CMAKE_CURRENT_BINARY_DIR}/deb-doc)
configure_file(deb/changelog.in ${TAVO_DEB_DOC}/changelog @ONLY)
find_program(TAVO_GZIP gzip)
if(TAVO_GZIP)
  add_custom_command(OUTPUT ${TAVO_DEB_DOC}/changelog.gz
    COMMAND ${TAVO_GZIP} -9nkf ${TAVO_DEB_DOC}/changelog
    DEPENDS ${TAVO_DEB_DOC}/changelog ${CMAKE_CURRENT_SOURCE_DIR}/deb/changelog.in
    COMMENT "Compressing the package changelog")
  add_custom_target(tavo_deb_changelog ALL DEPENDS ${TAVO_DEB_DOC}/changelog.gz)
  install(FILES ${TAVO_DEB_DOC}/changelog.gz DESTINATION share/doc/tavocps)
endif()
install(FILES deb/copyright DESTINATION share/doc/tavocps)

include(CPack)

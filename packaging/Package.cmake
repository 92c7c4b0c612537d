# The Debian package built by CPack (cpack -G DEB, run by scripts/package.sh):
# the same package as debian/ builds with debhelper, from the same sources:
# the fields of debian/control, the maintainer scripts and copyright of
# debian/, the changelog debian/changelog, and the dependencies
# dpkg-shlibdeps finds in the programs plus what they load or start at run
# time (debian/control's own Depends).

set(TAVO_PACKAGE_MAINTAINER "Vantrel <support@vantrel.example>" CACHE STRING
  "Maintainer field of the Debian package (name <e-mail>)")

# ---- the fields of debian/control
set(TAVO_CONTROL ${CMAKE_SOURCE_DIR}/debian/control)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TAVO_CONTROL})
file(READ ${TAVO_CONTROL} tavo_control)
# A field's value, continuation lines included (one line each).
function(tavo_control_field out field)
  if(NOT tavo_control MATCHES "\n${field}:([^\n]*(\n[ \t][^\n]*)*)")
    message(FATAL_ERROR "debian/control has no ${field} field")
  endif()
  string(STRIP "${CMAKE_MATCH_1}" value)
  set(${out} "${value}" PARENT_SCOPE)
endfunction()
tavo_control_field(tavo_section Section)
tavo_control_field(tavo_priority Priority)
tavo_control_field(tavo_homepage Homepage)
tavo_control_field(tavo_recommends Recommends)
tavo_control_field(tavo_depends Depends)
tavo_control_field(tavo_description Description)
# The Depends the programs' links do not show: everything but substitutions.
string(REGEX REPLACE "\\$\\{[^}]*\\}, *" "" tavo_depends "${tavo_depends}")
# The summary, then the long description as CPack wants it (each line
# without its leading blank; CPack puts one back).
string(FIND "${tavo_description}" "\n" tavo_eol)
string(SUBSTRING "${tavo_description}" 0 ${tavo_eol} tavo_summary)
string(SUBSTRING "${tavo_description}" ${tavo_eol} -1 tavo_long)
string(REPLACE "\n " "\n" tavo_long "${tavo_long}")
string(STRIP "${tavo_long}" tavo_long)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavocps)
set(CPACK_PACKAGE_VENDOR Vantrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${TAVO_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION ${tavo_section})
set(CPACK_DEBIAN_PACKAGE_PRIORITY ${tavo_priority})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${tavo_homepage})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${tavo_depends}")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "${tavo_recommends}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${tavo_summary}")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${tavo_long}")
# The maintainer scripts without the line where debhelper puts its own
# snippets (CPack has none to put there).
set(TAVO_CPACK_SCRIPTS "")
foreach(script preinst postinst postrm)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/debian/${script})
  file(READ ${CMAKE_SOURCE_DIR}/debian/${script} text)
  string(REPLACE "#DEBHELPER#\n" "" text "${text}")
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/deb-scripts/${script} "${text}")
  file(CHMOD ${CMAKE_CURRENT_BINARY_DIR}/deb-scripts/${script}
    PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  list(APPEND TAVO_CPACK_SCRIPTS ${CMAKE_CURRENT_BINARY_DIR}/deb-scripts/${script})
endforeach()
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${TAVO_CPACK_SCRIPTS})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The copyright file as it is, the changelog compressed the way Debian
# wants it (gzip -9n: no name or time stamp, so the package is
# reproducible). debhelper installs both itself (debian/rules turns this off).
option(TAVO_INSTALL_PACKAGE_DOCS "Install the copyright file and the changelog into share/doc/tavocps" ON)
if(TAVO_INSTALL_PACKAGE_DOCS)
  set(TAVO_DEB_DOC ${CMAKE_CURRENT_BINARY_DIR}/deb-doc)
  find_program(TAVO_GZIP gzip)
  if(TAVO_GZIP)
    add_custom_command(OUTPUT ${TAVO_DEB_DOC}/changelog.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVO_DEB_DOC}
      COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/debian/changelog ${TAVO_DEB_DOC}/changelog
      COMMAND ${TAVO_GZIP} -9nf ${TAVO_DEB_DOC}/changelog
      DEPENDS ${CMAKE_SOURCE_DIR}/debian/changelog
      COMMENT "Compressing the package changelog")
    add_custom_target(tavo_deb_changelog ALL DEPENDS ${TAVO_DEB_DOC}/changelog.gz)
    install(FILES ${TAVO_DEB_DOC}/changelog.gz DESTINATION share/doc/tavocps)
  endif()
  install(FILES ${CMAKE_SOURCE_DIR}/debian/copyright DESTINATION share/doc/tavocps)
endif()

include(CPack)

# Installation rules and packaging live here.
#
# Installed layout under the prefix:
#   bin/mivarelo, bin/mivarelo-run
#   share/mivarelo/lang/*.txt        language files
#   share/mivarelo/examples/         the sample programs' menu names
#                                    (examples.txt); the programs (*.elg)
#                                    in Turkish in tr/, in English in en/
#   share/applications/, share/mime/packages/, share/metainfo/,
#   share/icons/hicolor/             desktop integration
#   share/man/man1/                  the manual pages, compressed
#   share/doc/mivarelo/              the copyright file and the Debian
#                                    changelog (changelog.Debian.gz)
# The programs look for their language files beside themselves first (the
# build tree) and then in ../share/mivarelo/lang, so bin and share must stay
# siblings: the GNUInstallDirs defaults are assumed.
include(GNUInstallDirs)

set(MIVARELO_APP_ID io.github.mivarelo.Mivarelo)
# The AppStream component ID is the application ID in lowercase, as AppStream
# asks; its metainfo file names the desktop entry as its launchable.
string(TOLOWER ${MIVARELO_APP_ID} MIVARELO_COMPONENT_ID)
set(MIVARELO_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(MIVARELO_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/mivarelo)

if(TARGET mivarelo-run)
  install(TARGETS mivarelo-run RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/lang/
  DESTINATION ${MIVARELO_DATA_DESTINATION}/lang
  FILES_MATCHING PATTERN "*.txt")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/tr ${CMAKE_SOURCE_DIR}/examples/en
  DESTINATION ${MIVARELO_DATA_DESTINATION}/examples
  FILES_MATCHING PATTERN "*.elg")
install(FILES ${CMAKE_SOURCE_DIR}/examples/examples.txt
  DESTINATION ${MIVARELO_DATA_DESTINATION}/examples)
install(FILES ${MIVARELO_PACKAGING_DIR}/mivarelo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

if(TARGET mivarelo)
  install(TARGETS mivarelo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${MIVARELO_PACKAGING_DIR}/${MIVARELO_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${MIVARELO_PACKAGING_DIR}/${MIVARELO_COMPONENT_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(DIRECTORY ${MIVARELO_PACKAGING_DIR}/icons/hicolor
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()

# The manual pages go in compressed, as Debian packages carry them; -n keeps
# the time out of the file, so that a build gives the same bytes each time.
set(MIVARELO_MAN_PAGES mivarelo-run)
if(TARGET mivarelo)
  list(APPEND MIVARELO_MAN_PAGES mivarelo)
endif()
set(MIVARELO_COMPRESSED_PAGES)
foreach(page IN LISTS MIVARELO_MAN_PAGES)
  set(source ${MIVARELO_PACKAGING_DIR}/man/${page}.1)
  set(compressed ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND sh -c "gzip -9n -c '${source}' > '${compressed}'"
    DEPENDS ${source}
    VERBATIM)
  list(APPEND MIVARELO_COMPRESSED_PAGES ${compressed})
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${MIVARELO_COMPRESSED_PAGES})

# Every Debian package carries its copyright file and its changelog in
# share/doc/<package>. The changelog is the Debian one (its top entry gives
# the package's revision, below) and goes in compressed like the manual
# pages. It is compressed while CMake configures, so that it exists whichever
# targets are built; a changed changelog configures again.
set(MIVARELO_DOC_DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/mivarelo)
set(MIVARELO_DEBIAN_CHANGELOG ${MIVARELO_PACKAGING_DIR}/debian/changelog)
set(MIVARELO_COMPRESSED_CHANGELOG ${CMAKE_BINARY_DIR}/doc/changelog.Debian.gz)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${MIVARELO_DEBIAN_CHANGELOG})
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/doc)
execute_process(COMMAND gzip -9n -c ${MIVARELO_DEBIAN_CHANGELOG}
  OUTPUT_FILE ${MIVARELO_COMPRESSED_CHANGELOG}
  RESULT_VARIABLE gzip_status)
if(NOT gzip_status EQUAL 0)
  message(FATAL_ERROR "gzip could not compress ${MIVARELO_DEBIAN_CHANGELOG}")
endif()
install(FILES ${MIVARELO_PACKAGING_DIR}/debian/copyright ${MIVARELO_COMPRESSED_CHANGELOG}
  DESTINATION ${MIVARELO_DOC_DESTINATION})

# The top entry reads "mivarelo (UPSTREAM-REVISION) ...". The package takes
# its revision from there; an UPSTREAM other than the project's version means
# the changelog was not brought up to date: CMake warns, and install_check
# fails.
file(STRINGS ${MIVARELO_DEBIAN_CHANGELOG} changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^mivarelo \\(([0-9][A-Za-z0-9.+~]*)-([A-Za-z0-9.+~]+)\\) ")
  message(FATAL_ERROR "${MIVARELO_DEBIAN_CHANGELOG} does not start with \"mivarelo (VERSION-REVISION)\"")
endif()
set(MIVARELO_DEBIAN_REVISION ${CMAKE_MATCH_2})
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(WARNING "The top entry of ${MIVARELO_DEBIAN_CHANGELOG} is for version "
    "${CMAKE_MATCH_1}, the project is version ${PROJECT_VERSION}: add an entry.")
endif()

# "Set Default Software" writes the same desktop entry, MIME definition and
# icon into the user's folders; the application gets them compiled in from
# the packaging files, so both ways of installing agree.
if(TARGET mivarelo_shell)
  set(desktop_entry ${MIVARELO_PACKAGING_DIR}/${MIVARELO_APP_ID}.desktop)
  set(mime_definition ${MIVARELO_PACKAGING_DIR}/mivarelo.xml)
  set(icon_svg ${MIVARELO_PACKAGING_DIR}/icons/hicolor/scalable/apps/${MIVARELO_APP_ID}.svg)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    ${desktop_entry} ${mime_definition} ${icon_svg})
  file(READ ${desktop_entry} MIVARELO_DESKTOP_ENTRY)
  file(READ ${mime_definition} MIVARELO_MIME_DEFINITION)
  file(READ ${icon_svg} MIVARELO_ICON_SVG)
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/PackagingFiles.h @ONLY CONTENT [=[
// Generated by cmake/Install.cmake from the files in packaging/.
#pragma once

namespace mivarelo::packaging {

inline constexpr char kApplicationId[] = "@MIVARELO_APP_ID@";
inline constexpr char kDesktopEntry[] = R"mivarelo(@MIVARELO_DESKTOP_ENTRY@)mivarelo";
inline constexpr char kMimeDefinition[] = R"mivarelo(@MIVARELO_MIME_DEFINITION@)mivarelo";
inline constexpr char kIconSvg[] = R"mivarelo(@MIVARELO_ICON_SVG@)mivarelo";

} // namespace mivarelo::packaging
]=])
  target_include_directories(mivarelo_shell PRIVATE ${CMAKE_BINARY_DIR}/generated)
endif()

# Installs the build into a temporary prefix and runs the installed programs.
add_test(NAME install_check
  COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/install-check.sh ${CMAKE_BINARY_DIR})

# The AppStream metadata passes appstreamcli's strictest validation: any
# error, warning, info or pedantic note fails the test. --no-net keeps it
# from fetching the screenshots. Without appstreamcli the test is skipped.
add_test(NAME appstream_validate
  COMMAND bash -c [=[
    if ! command -v appstreamcli >/dev/null; then
      echo "appstreamcli is not installed"
      exit 77
    fi
    status=0
    report=$(appstreamcli validate --pedantic --no-net "$1" 2>&1) || status=$?
    printf '%s\n' "$report"
    if [ "$status" -ne 0 ]; then
      echo "appstreamcli exited with $status"
      exit 1
    fi
    if grep -Eq '^[EWIP]: ' <<<"$report"; then
      echo "appstreamcli reported issues"
      exit 1
    fi
  ]=] appstream_validate ${MIVARELO_PACKAGING_DIR}/${MIVARELO_COMPONENT_ID}.metainfo.xml)
set_tests_properties(appstream_validate PROPERTIES SKIP_RETURN_CODE 77)

# The Debian package (`make package`). Library dependencies are found by
# dpkg-shlibdeps; the desktop, MIME and icon caches are refreshed by the
# file triggers of desktop-file-utils, shared-mime-info and
# hicolor-icon-theme, so the package needs no maintainer scripts.
set(MIVARELO_PACKAGE_MAINTAINER "Mivarelo developers <mivarelo@example.org>"
  CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_NAME mivarelo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Mivarelo developers")
set(CPACK_PACKAGE_CONTACT ${MIVARELO_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Logo interpreter with turtle graphics for learners")
set(CPACK_PACKAGE_DESCRIPTION
  "Mivarelo runs programs in the Logo language and lets a turtle draw them as\n\
pictures. Commands are accepted in Turkish and in English, in a long and a\n\
short form each, and the interface speaks both languages. The package holds\n\
the desktop program, the headless runner mivarelo-run and sample programs.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${MIVARELO_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${MIVARELO_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs and buttons speak Turkish through Qt's translations,
# which no library pulls in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
# lintian checks the built package; an error in it fails `make package`.
set(CPACK_POST_BUILD_SCRIPTS ${MIVARELO_PACKAGING_DIR}/lintian-check.cmake)
include(CPack)

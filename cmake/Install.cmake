# Installation as a Linux program, and the Debian package (cpack -G DEB):
#   <prefix>/bin/korvinaut, korvinaut-cli     launchers (packaging/*.in): they prepare the
#                                             user's folder ~/.local/share/korvinaut and start
#   <prefix>/lib/korvinaut/                   the programs
#   <prefix>/share/korvinaut/                 the read-only program tree (data/)
#   <prefix>/share/applications, icons, metainfo, man, doc   desktop integration
include(GNUInstallDirs)
set(KORVINAUT_TREE_DIR ${CMAKE_INSTALL_DATADIR}/korvinaut)
set(KORVINAUT_PROGRAM_DIR lib/korvinaut)
set(KORVINAUT_APP_ID org.korvinaut.Korvinaut)
set(CMAKE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/korvinaut)

install(TARGETS korvinaut-cli RUNTIME DESTINATION ${KORVINAUT_PROGRAM_DIR})
if(TARGET korvinaut)
  install(TARGETS korvinaut RUNTIME DESTINATION ${KORVINAUT_PROGRAM_DIR})
endif()
install(DIRECTORY data/ DESTINATION ${KORVINAUT_TREE_DIR})

foreach(launcher korvinaut korvinaut-cli)
  configure_file(packaging/${launcher}.in ${CMAKE_BINARY_DIR}/launchers/${launcher} @ONLY)
  install(PROGRAMS ${CMAKE_BINARY_DIR}/launchers/${launcher} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

install(FILES packaging/${KORVINAUT_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/${KORVINAUT_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY packaging/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES data/Images/korvinaut.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual pages, English and Russian, compressed as Debian wants them.
find_program(GZIP gzip REQUIRED)
foreach(page korvinaut korvinaut-cli)
  foreach(lang en ru)
    set(source ${CMAKE_SOURCE_DIR}/packaging/man/${page}.1)
    set(dest man1)
    if(lang STREQUAL "ru")
      set(source ${CMAKE_SOURCE_DIR}/packaging/man/ru/${page}.1)
      set(dest ru/man1)
    endif()
    set(out ${CMAKE_BINARY_DIR}/man/${lang}/${page}.1.gz)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man/${lang}
      COMMAND ${GZIP} -9n -c ${source} > ${out}
      DEPENDS ${source} VERBATIM)
    list(APPEND KORVINAUT_MAN_PAGES ${out})
    install(FILES ${out} DESTINATION ${CMAKE_INSTALL_MANDIR}/${dest})
  endforeach()
endforeach()
set(changelog ${CMAKE_BINARY_DIR}/doc/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
  COMMAND ${GZIP} -9n -c ${CMAKE_SOURCE_DIR}/packaging/debian/changelog > ${changelog}
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/debian/changelog VERBATIM)
add_custom_target(packaging_files ALL DEPENDS ${KORVINAUT_MAN_PAGES} ${changelog})
install(FILES ${changelog} packaging/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvinaut)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# Who answers for the package: by default the author of the last commit, as git knows
# them; a distributor sets KORVINAUT_PACKAGE_MAINTAINER ("Name <address>").
execute_process(COMMAND git log -1 --format=%an\ <%ae> WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                OUTPUT_VARIABLE KORVINAUT_LAST_AUTHOR OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT KORVINAUT_LAST_AUTHOR)
  set(KORVINAUT_LAST_AUTHOR "Korvinaut 7 developers <korvinaut@${CMAKE_HOST_SYSTEM_NAME}.invalid>")
endif()
set(KORVINAUT_PACKAGE_MAINTAINER "${KORVINAUT_LAST_AUTHOR}" CACHE STRING "Maintainer of the Debian package")
set(CPACK_PACKAGE_CONTACT "${KORVINAUT_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KORVINAUT_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "natal horoscope with a long interpretation in Russian")
set(CPACK_PACKAGE_DESCRIPTION "Korvinaut 7 computes a person's natal chart from the birth date, clock time and
place, with the time-zone and summer-time history of the place: the Sun, the
Moon and the planets by analytic series, Placidus houses, aspects. It draws the
chart wheel and writes a long interpretive report in Russian, which can be
printed, saved as PDF and packed into an archive.

The package holds the desktop program (korvinaut) and a command-line tool
(korvinaut-cli) that writes the same reports, also many at once from a table.")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
include(CPack)

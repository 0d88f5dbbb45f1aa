# The Debian package, made by CPack from the install rules: `cpack -G DEB` in a build
# folder (scripts/package.sh does the whole thing).

# Debian keeps each package's licence and changelog under these names and folder.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/sorvani
        RENAME copyright)
sorvani_install_gzipped(${PROJECT_SOURCE_DIR}/dist/debian/changelog
                        ${CMAKE_INSTALL_DATADIR}/doc/sorvani)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sorvani)
set(CPACK_PACKAGE_VENDOR "Equipo Sorvani")
set(CPACK_PACKAGE_CONTACT "Equipo Sorvani <sorvani@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "teaching program that solves systems of linear equations")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Sorvani solves a system of n linear equations (2 <= n <= 100), typed into a\n"
    "worksheet or filled with random whole numbers, by the Choleski method (the\n"
    "Crout LU factorization, whose factors B and C it can show) or by the\n"
    "Gauss - Jordan method, in single precision. Every text on screen is in\n"
    "Spanish.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Equipo Sorvani <sorvani@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://example.org/sorvani)
# The run-time dependencies (Qt, the C++ library) come from the binary itself.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own Spanish texts (buttons, context menus) are read from the system's catalogues.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)

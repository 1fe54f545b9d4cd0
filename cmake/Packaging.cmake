# Install rules and the Debian package. Included last, so every target exists.
include(GNUInstallDirs)

# AppStream wants a reverse-DNS id, and the product owns no domain: "localhost"
# is reserved and can never belong to anyone else. The desktop entry keeps the
# plain name orvalis.desktop that QGuiApplication::desktopFileName() reports.
set(ORVALIS_APPSTREAM_ID "localhost.orvalis.orvalis")
# Moves with the project VERSION.
set(ORVALIS_RELEASE_DATE "2026-12-11")
set(ORVALIS_SCREENSHOT_URL "" CACHE STRING
    "http(s) address of the published docs/screenshot.png; empty leaves the screenshot out of the metainfo")
set(ORVALIS_ICON_SIZES 16 22 24 32 48 64 128 256)

install(TARGETS orvalis RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# res/HelpPage.cpp looks for the page at ../share/orvalis/help/ beside the binary.
install(FILES ${PROJECT_SOURCE_DIR}/res/help/index.html
    DESTINATION ${CMAKE_INSTALL_DATADIR}/orvalis/help)

add_subdirectory(${PROJECT_SOURCE_DIR}/res/desktop ${PROJECT_BINARY_DIR}/res/desktop)

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "orvalis")
set(CPACK_PACKAGE_VENDOR "The Orvalis developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keyword suggestion tool for people who write web pages")
set(CPACK_PACKAGE_DESCRIPTION
"Orvalis asks Google's public suggestion service for search phrases related
to a keyword and lists them, ranked. Expand Search asks the service for the
keyword with each letter, digit and common question and connecting word, and
lists every distinct phrase, ranked by how many of those requests found it.
From the list Orvalis writes an HTML keywords meta tag, a one-per-line list or
a comma list, which can be copied to the clipboard or saved to a file.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
# dpkg and apt accept a maintainer without an address, and there is none to give.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Orvalis developers")
set(CPACK_DEBIAN_PACKAGE_SECTION "web")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# dpkg-shlibdeps adds the Qt libraries the program links. It cannot see the
# plugins Qt loads at run time: the platform plugins and the SVG icon engine.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6 (>= 6.4), qt6-qpa-plugins (>= 6.4)")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_SOURCE_GENERATOR "TGZ")
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/")
include(CPack)

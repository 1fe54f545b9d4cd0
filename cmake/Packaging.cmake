# Install rules. Included last, so every target exists.
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

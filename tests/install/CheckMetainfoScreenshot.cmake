# Once docs/screenshot.png has an address, the metainfo carries it as a valid
# screenshot, with characters that XML reserves escaped.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Common.cmake)
orvalis_require_vars(SOURCE_DIR SCRATCH VERSION)
include(${SOURCE_DIR}/res/desktop/Metainfo.cmake)

file(REMOVE_RECURSE ${SCRATCH})
set(metainfo ${SCRATCH}/localhost.orvalis.orvalis.metainfo.xml)
# A reserved name that can never resolve: only the form is checked here.
set(url "https://example.invalid/orvalis/screenshot.png?size=1&format=png")
orvalis_write_metainfo(${SOURCE_DIR}/res/desktop/orvalis.metainfo.xml.in ${metainfo}
    ID localhost.orvalis.orvalis VERSION ${VERSION} RELEASE_DATE 2026-12-11
    SCREENSHOT_URL ${url})

orvalis_run(appstreamcli validate --no-net ${metainfo})

file(READ ${metainfo} xml)
string(REPLACE "&" "&amp;" escaped "${url}")
string(FIND "${xml}" "<image>${escaped}</image>" at)
if(at EQUAL -1)
    message(FATAL_ERROR "${metainfo} has no screenshot image ${escaped}:\n${xml}")
endif()

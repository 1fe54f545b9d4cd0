# The installed AppStream metainfo is valid on its own and together with the
# installed desktop entry and icons, and names the installed program.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Common.cmake)
orvalis_require_vars(BUILD_DIR SCRATCH)

set(prefix ${SCRATCH}/usr)
orvalis_install_into(${BUILD_DIR} ${prefix})
set(metainfo ${prefix}/share/metainfo/localhost.orvalis.orvalis.metainfo.xml)

orvalis_run(appstreamcli validate --no-net ${metainfo})
# The tree check also finds the launchable's desktop entry and its categories.
orvalis_run(appstreamcli validate-tree --no-net ${SCRATCH})

file(READ ${metainfo} xml)
if(NOT xml MATCHES "<binary>([^<]*)</binary>")
    message(FATAL_ERROR "${metainfo} provides no binary")
endif()
if(NOT EXISTS ${prefix}/bin/${CMAKE_MATCH_1})
    message(FATAL_ERROR "The metainfo provides binary '${CMAKE_MATCH_1}', which is not installed")
endif()

# Fails when an include line crosses the layers the wrong way:
#   app -> (listview, textout, controls, lookup) -> platform -> res
# A folder includes only itself and the layers below it, every project include names its
# folder ("lookup/CMyThread.h"), and the Qt-Core-only sources include no Qt header beyond
# QtCore and no project header that is not Qt-Core-only itself.
#
#   cmake -D SOURCE_DIR=... -D QTCORE_DIR=.../QtCore -D CORE_ONLY="lookup/A.cpp;..."
#         [-D FILES="listview/B.cpp;..."] -P CheckLayers.cmake
cmake_minimum_required(VERSION 3.25)
foreach(var SOURCE_DIR QTCORE_DIR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "CheckLayers: ${var} is not set")
    endif()
endforeach()

set(rank_res 0)
set(rank_platform 1)
set(rank_lookup 2)
set(rank_textout 2)
set(rank_listview 2)
set(rank_controls 2)
set(rank_app 3)
set(folders res platform lookup textout listview controls app)

if(NOT DEFINED FILES)
    set(FILES)
    foreach(folder IN LISTS folders)
        file(GLOB_RECURSE found RELATIVE ${SOURCE_DIR}
            ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
        list(APPEND FILES ${found})
    endforeach()
endif()

set(problems)
foreach(file IN LISTS FILES)
    string(REGEX MATCH "^[^/]+" folder "${file}")
    set(core_only FALSE)
    if(file IN_LIST CORE_ONLY)
        set(core_only TRUE)
    endif()
    file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS lines)
        if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
            set(header "${CMAKE_MATCH_1}")
            if(NOT header MATCHES "^([a-z]+)/[^/]+$" OR NOT CMAKE_MATCH_1 IN_LIST folders)
                list(APPEND problems "${file}: \"${header}\" does not name its folder")
                continue()
            endif()
            set(target "${CMAKE_MATCH_1}")
            if(NOT target STREQUAL folder AND NOT rank_${target} LESS rank_${folder})
                list(APPEND problems "${file}: ${folder}/ may not include ${header}")
            endif()
            if(core_only AND NOT header IN_LIST CORE_ONLY
               AND NOT header MATCHES "^res/Version\\.h$")
                # The header of a .cpp in the list counts as Qt Core only too.
                string(REGEX REPLACE "\\.h$" ".cpp" source "${header}")
                if(NOT source IN_LIST CORE_ONLY)
                    list(APPEND problems "${file}: a Qt-Core-only source includes ${header}")
                endif()
            endif()
        elseif(core_only AND line MATCHES "#[ \t]*include[ \t]*<(Q[A-Za-z0-9_]*)>")
            if(NOT EXISTS ${QTCORE_DIR}/${CMAKE_MATCH_1})
                list(APPEND problems
                    "${file}: a Qt-Core-only source includes <${CMAKE_MATCH_1}>, not Qt Core")
            endif()
        endif()
    endforeach()
endforeach()

if(problems)
    list(JOIN problems "\n  " text)
    message(FATAL_ERROR "Include lines that cross the layers:\n  ${text}")
endif()
list(LENGTH FILES checked)
message(STATUS "${checked} files keep to the layers")

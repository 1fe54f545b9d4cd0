# cmake --install puts exactly the expected files under the prefix, the icons
# are PNGs of their theme size and the data files are the project's own.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Common.cmake)
orvalis_require_vars(BUILD_DIR SOURCE_DIR SCRATCH)

set(prefix ${SCRATCH}/usr)
orvalis_install_into(${BUILD_DIR} ${prefix})
orvalis_check_file_set(${prefix} ${ORVALIS_EXPECTED_FILES})

orvalis_run(test -x ${prefix}/bin/orvalis)

foreach(pair "res/help/index.html=share/orvalis/help/index.html"
             "res/icons/orvalis.svg=share/icons/hicolor/scalable/apps/orvalis.svg")
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 source)
    list(GET pair 1 installed)
    orvalis_run(${CMAKE_COMMAND} -E compare_files ${SOURCE_DIR}/${source} ${prefix}/${installed})
endforeach()

foreach(size IN LISTS ORVALIS_EXPECTED_ICON_SIZES)
    set(png ${prefix}/share/icons/hicolor/${size}x${size}/apps/orvalis.png)
    file(READ ${png} header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 0 16 signature)
    string(SUBSTRING "${header}" 24 8 chunk)
    if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT chunk STREQUAL "49484452")
        message(FATAL_ERROR "${png} is not a PNG file")
    endif()
    string(SUBSTRING "${header}" 32 8 width)
    string(SUBSTRING "${header}" 40 8 height)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT width EQUAL size OR NOT height EQUAL size)
        message(FATAL_ERROR "${png} is ${width}x${height}, the theme folder says ${size}x${size}")
    endif()
endforeach()

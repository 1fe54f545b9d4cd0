# cpack builds orvalis_<version>_<arch>.deb whose control data names the Qt 6
# runtime packages and which unpacks to exactly the installed file set under /usr.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Common.cmake)
orvalis_require_vars(BUILD_DIR SCRATCH VERSION)

file(REMOVE_RECURSE ${SCRATCH})
orvalis_run(cpack --config ${BUILD_DIR}/CPackConfig.cmake -G DEB -B ${SCRATCH})

execute_process(COMMAND dpkg --print-architecture
    OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(deb ${SCRATCH}/orvalis_${VERSION}_${arch}.deb)
if(NOT EXISTS ${deb})
    file(GLOB made ${SCRATCH}/*.deb)
    message(FATAL_ERROR "cpack made '${made}', not ${deb}")
endif()

function(control_field field out_var)
    execute_process(COMMAND dpkg-deb --field ${deb} ${field}
        OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set(${out_var} "${value}" PARENT_SCOPE)
endfunction()

foreach(pair "Package=orvalis" "Version=${VERSION}" "Architecture=${arch}")
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 field)
    list(GET pair 1 expected)
    control_field(${field} value)
    if(NOT value STREQUAL expected)
        message(FATAL_ERROR "${field}: '${value}', expected '${expected}'")
    endif()
endforeach()

foreach(field Maintainer Description Section)
    control_field(${field} value)
    if(value STREQUAL "")
        message(FATAL_ERROR "The control data has no ${field}")
    endif()
endforeach()

# Debian renamed some libraries with a t64 suffix after Debian 12.
control_field(Depends depends)
string(REPLACE "," ";" depends "${depends}")
set(names)
foreach(item IN LISTS depends)
    string(REGEX MATCH "[a-z0-9][a-z0-9.+-]*" name "${item}")
    string(REGEX REPLACE "t64$" "" name "${name}")
    list(APPEND names ${name})
endforeach()
foreach(package libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6svg6 qt6-qpa-plugins)
    if(NOT package IN_LIST names)
        message(FATAL_ERROR "Depends lacks ${package}: ${names}")
    endif()
endforeach()

set(root ${SCRATCH}/root)
orvalis_run(dpkg-deb --extract ${deb} ${root})
orvalis_check_file_set(${root}/usr ${ORVALIS_EXPECTED_FILES})
file(GLOB top RELATIVE ${root} ${root}/*)
if(NOT top STREQUAL "usr")
    message(FATAL_ERROR "The package puts '${top}' at the top of the file system, expected only usr")
endif()

# The installed desktop entry is valid and starts the installed binary with
# the installed icon.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Common.cmake)
orvalis_require_vars(BUILD_DIR SCRATCH)

set(prefix ${SCRATCH}/usr)
orvalis_install_into(${BUILD_DIR} ${prefix})
set(entry ${prefix}/share/applications/orvalis.desktop)

# Hints and warnings count too: the validator's exit code only reflects errors.
execute_process(COMMAND desktop-file-validate ${entry}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate ${entry} (${rc}):\n${out}${err}")
endif()

orvalis_desktop_key(${entry} Exec exec)
string(REGEX REPLACE " .*" "" exec "${exec}")
if(NOT EXISTS ${prefix}/bin/${exec})
    message(FATAL_ERROR "Exec=${exec} is not an installed program in ${prefix}/bin")
endif()

orvalis_desktop_key(${entry} Icon icon)
foreach(path scalable/apps/${icon}.svg 48x48/apps/${icon}.png)
    if(NOT EXISTS ${prefix}/share/icons/hicolor/${path})
        message(FATAL_ERROR "Icon=${icon} is not installed as hicolor/${path}")
    endif()
endforeach()

orvalis_desktop_key(${entry} Categories categories)
if(NOT categories MATCHES "(^|;)WebDevelopment;")
    message(FATAL_ERROR "Categories=${categories} lacks WebDevelopment")
endif()

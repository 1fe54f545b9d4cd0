# Helpers for the install test scripts, which run with cmake -P.

# What an installed Orvalis consists of, relative to the prefix. Kept here by
# hand rather than read from the install rules, so a lost rule is noticed.
set(ORVALIS_EXPECTED_ICON_SIZES 16 22 24 32 48 64 128 256)
set(ORVALIS_EXPECTED_FILES
    bin/orvalis
    share/orvalis/help/index.html
    share/applications/orvalis.desktop
    share/metainfo/localhost.orvalis.orvalis.metainfo.xml
    share/icons/hicolor/scalable/apps/orvalis.svg)
foreach(size IN LISTS ORVALIS_EXPECTED_ICON_SIZES)
    list(APPEND ORVALIS_EXPECTED_FILES share/icons/hicolor/${size}x${size}/apps/orvalis.png)
endforeach()

function(orvalis_require_vars)
    foreach(var IN LISTS ARGN)
        if(NOT DEFINED ${var})
            message(FATAL_ERROR "Pass -D ${var}=...")
        endif()
    endforeach()
endfunction()

# Runs a command; stops the test with its output when it fails.
function(orvalis_run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        list(JOIN ARGN " " command)
        message(FATAL_ERROR "'${command}' failed (${rc}):\n${out}${err}")
    endif()
endfunction()

# Installs the build tree into an emptied scratch prefix.
function(orvalis_install_into build_dir prefix)
    file(REMOVE_RECURSE ${prefix})
    orvalis_run(${CMAKE_COMMAND} --install ${build_dir} --prefix ${prefix})
endfunction()

# Fails unless the files under root are exactly the expected ones.
function(orvalis_check_file_set root)
    file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
    set(expected ${ARGN})
    set(missing ${expected})
    list(REMOVE_ITEM missing ${found})
    set(unexpected ${found})
    list(REMOVE_ITEM unexpected ${expected})
    if(missing OR unexpected)
        list(JOIN missing "\n  " missing)
        list(JOIN unexpected "\n  " unexpected)
        message(FATAL_ERROR "Installed files under ${root} differ.\nMissing:\n  ${missing}\nUnexpected:\n  ${unexpected}")
    endif()
endfunction()

# Reads key=value from the [Desktop Entry] group of a desktop file.
function(orvalis_desktop_key file key out_var)
    file(STRINGS ${file} lines)
    set(in_group FALSE)
    foreach(line IN LISTS lines)
        if(line MATCHES "^\\[(.*)\\]$")
            set(in_group FALSE)
            if(CMAKE_MATCH_1 STREQUAL "Desktop Entry")
                set(in_group TRUE)
            endif()
        elseif(in_group AND line MATCHES "^${key}=(.*)$")
            set(${out_var} "${CMAKE_MATCH_1}" PARENT_SCOPE)
            return()
        endif()
    endforeach()
    message(FATAL_ERROR "${file} has no ${key} key in [Desktop Entry]")
endfunction()

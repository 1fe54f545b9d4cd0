# Writes the AppStream metainfo file. Shared by the build and by the install
# tests, which also render it with a screenshot address to validate that form.
#
# AppStream accepts a screenshot only as an http(s) address. The product has no
# web site, so the <screenshots> element is written only when an address of a
# published docs/screenshot.png is given.
function(orvalis_write_metainfo template output)
    cmake_parse_arguments(ARG "" "ID;VERSION;RELEASE_DATE;SCREENSHOT_URL" "" ${ARGN})
    foreach(required ID VERSION RELEASE_DATE)
        if(NOT ARG_${required})
            message(FATAL_ERROR "orvalis_write_metainfo: ${required} is missing")
        endif()
    endforeach()

    set(ORVALIS_APPSTREAM_ID "${ARG_ID}")
    set(ORVALIS_VERSION "${ARG_VERSION}")
    set(ORVALIS_RELEASE_DATE "${ARG_RELEASE_DATE}")
    set(ORVALIS_SCREENSHOTS "")
    if(ARG_SCREENSHOT_URL)
        if(NOT ARG_SCREENSHOT_URL MATCHES "^https?://[^/]+/")
            message(FATAL_ERROR "The screenshot address must be an http(s) URL: ${ARG_SCREENSHOT_URL}")
        endif()
        string(REPLACE "&" "&amp;" url "${ARG_SCREENSHOT_URL}")
        string(REPLACE "<" "&lt;" url "${url}")
        string(CONCAT ORVALIS_SCREENSHOTS
            "  <screenshots>\n"
            "    <screenshot type=\"default\">\n"
            "      <caption>A keyword's related search phrases and the meta tag made from them</caption>\n"
            "      <image>${url}</image>\n"
            "    </screenshot>\n"
            "  </screenshots>")
    endif()
    configure_file("${template}" "${output}" @ONLY)
endfunction()

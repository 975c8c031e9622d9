# The two files Debian wants in /usr/share/doc/velmor: the machine-readable copyright file, whose
# licence text is that of LICENSE, and the package's changelog, dated by VELMOR_RELEASE_DATE.

# The date an ISO date (YYYY-MM-DD) names, at midnight UTC, as Debian changelogs write it:
# "Thu, 10 Dec 2026 00:00:00 +0000".
function(velmor_debian_date isoDate outVar)
    if(NOT isoDate MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
        message(FATAL_ERROR "not a date of the form YYYY-MM-DD: '${isoDate}'")
    endif()
    set(year ${CMAKE_MATCH_1})
    set(monthText ${CMAKE_MATCH_2})
    set(dayText ${CMAKE_MATCH_3})
    # Leading zeros stripped, so no number is read as octal.
    string(REGEX REPLACE "^0" "" month ${monthText})
    string(REGEX REPLACE "^0" "" day ${dayText})
    # Sakamoto's weekday rule: January and February count as months of the year before.
    set(monthOffsets 0 3 2 5 0 3 5 1 4 6 2 4)
    math(EXPR monthIndex "${month} - 1")
    list(GET monthOffsets ${monthIndex} offset)
    set(y ${year})
    if(month LESS 3)
        math(EXPR y "${y} - 1")
    endif()
    math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${day}) % 7")
    set(weekdays Sun Mon Tue Wed Thu Fri Sat)
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(GET weekdays ${weekday} weekdayName)
    list(GET months ${monthIndex} monthName)
    set(${outVar} "${weekdayName}, ${dayText} ${monthName} ${year} 00:00:00 +0000" PARENT_SCOPE)
endfunction()

# Writes template with its @VARIABLES@ filled in to output, without the template's first line,
# a comment that says what the file is (neither format allows comments).
function(velmor_configure_debian_file template output)
    file(READ ${template} text)
    string(REGEX REPLACE "^#[^\n]*\n" "" text "${text}")
    file(CONFIGURE OUTPUT ${output} CONTENT "${text}" @ONLY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${template})
endfunction()

# The copyright holder and the permission text of LICENSE, the text as a DEP-5 licence paragraph
# wants it: every line indented by one space, blank lines written as " .".
function(velmor_read_license licenseFile holderVar textVar)
    file(READ ${licenseFile} license)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${licenseFile})
    if(NOT license MATCHES "\nCopyright \\(c\\) ([^\n]+)\n\n(.+)$")
        message(FATAL_ERROR "${licenseFile} has no line 'Copyright (c) ...' followed by the licence")
    endif()
    set(holder ${CMAKE_MATCH_1})
    string(STRIP "${CMAKE_MATCH_2}" text)
    string(REPLACE "\n\n" "\n.\n" text "${text}")
    string(REPLACE "\n" "\n " text "${text}")
    set(${holderVar} "${holder}" PARENT_SCOPE)
    set(${textVar} " ${text}" PARENT_SCOPE)
endfunction()

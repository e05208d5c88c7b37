# The manual page and `tavisk --help` name the same options: an option added
# to the tool must be described in tools/tavisk/tavisk.1.in, and the page must
# not describe options the tool no longer has. Also checks that the page
# formats without warnings.
#
# -D TOOL (the built tavisk), MANPAGE (the configured page), MANPAGE_SOURCE

cmake_policy(VERSION 3.21)

execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen "${TOOL}" --help
                OUTPUT_VARIABLE help RESULT_VARIABLE result)
if(result)
    message(FATAL_ERROR "tavisk --help failed (${result})")
endif()

# --help: the option column of the lines under "Options:", such as
# "  -o, --output <OUTPUT>  Output file...".
string(REGEX REPLACE ".*\nOptions:\n" "" options_part "${help}")
string(REGEX REPLACE "\n\n.*" "" options_part "${options_part}")
string(REPLACE "\n" ";" help_lines "${options_part}")
set(help_options "")
foreach(line IN LISTS help_lines)
    if(line MATCHES "^  (-[^ ].*)$")
        string(REGEX REPLACE "  .*" "" column "${CMAKE_MATCH_1}")
        string(REGEX MATCHALL "(^|[ ,])--?[A-Za-z][A-Za-z0-9-]*" names "${column}")
        foreach(name IN LISTS names)
            string(REGEX REPLACE "^[ ,]+" "" name "${name}")
            list(APPEND help_options "${name}")
        endforeach()
    endif()
endforeach()
if(NOT help_options)
    message(FATAL_ERROR "found no options in tavisk --help:\n${help}")
endif()

# The page: the tag line after each .TP of the OPTIONS section.
file(STRINGS "${MANPAGE}" page_lines)
set(page_options "")
set(in_options FALSE)
set(after_tp FALSE)
foreach(line IN LISTS page_lines)
    if(line MATCHES "^\\.SH ")
        set(in_options FALSE)
        if(line MATCHES "^\\.SH OPTIONS")
            set(in_options TRUE)
        endif()
    elseif(in_options AND line MATCHES "^\\.TP")
        set(after_tp TRUE)
    elseif(after_tp)
        set(after_tp FALSE)
        string(REPLACE "\\-" "-" line "${line}")
        string(REGEX MATCHALL "[ \"]--?[A-Za-z][A-Za-z0-9-]*" names "${line}")
        foreach(name IN LISTS names)
            string(REGEX REPLACE "^[ \"]+" "" name "${name}")
            list(APPEND page_options "${name}")
        endforeach()
    endif()
endforeach()

set(problems "")
foreach(name IN LISTS help_options)
    if(NOT name IN_LIST page_options)
        string(APPEND problems "  ${name} is in `tavisk --help` but not in the OPTIONS section of the manual page ${MANPAGE_SOURCE}\n")
    endif()
endforeach()
foreach(name IN LISTS page_options)
    if(NOT name IN_LIST help_options)
        string(APPEND problems "  ${name} is in the OPTIONS section of the manual page ${MANPAGE_SOURCE} but not in `tavisk --help`\n")
    endif()
endforeach()
if(problems)
    message(FATAL_ERROR "The manual page and tavisk --help disagree:\n${problems}")
endif()

# The page formats cleanly (man-db's own check), where man is installed.
find_program(MAN man)
if(MAN)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 MANWIDTH=80
                            "${MAN}" --warnings -E UTF-8 -l "${MANPAGE}"
                    OUTPUT_QUIET ERROR_VARIABLE warnings RESULT_VARIABLE result)
    if(result OR NOT warnings STREQUAL "")
        message(FATAL_ERROR "the manual page ${MANPAGE_SOURCE} has formatting problems:\n${warnings}")
    endif()
endif()
list(LENGTH help_options count)
message(STATUS "${count} options, each in --help and in the manual page")

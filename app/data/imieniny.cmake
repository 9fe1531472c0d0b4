# Turns the name-day calendar (one line per day: month<TAB>day<TAB>names, UTF-8) into a C++
# table of 12 x 31 cells, so that the program reads no file for it at run time.
#
#   cmake -DINPUT=imieniny.tsv -DOUTPUT=imieniny_table.cpp -P imieniny.cmake
#
# The build stops on a malformed line, a day that does not exist, a day given twice, a cell
# longer than 50 bytes (so never more than 50 characters) or a calendar without all 366 days.

if(NOT INPUT OR NOT OUTPUT)
    message(FATAL_ERROR "imieniny.cmake: INPUT and OUTPUT must be set")
endif()

set(days_in_month 31 29 31 30 31 30 31 31 30 31 30 31)

file(STRINGS "${INPUT}" lines ENCODING UTF-8)

set(count 0)
foreach(line IN LISTS lines)
    string(REGEX REPLACE "\r$" "" line "${line}")
    if(line STREQUAL "")
        continue()
    endif()
    if(NOT line MATCHES "^([0-9]+)\t([0-9]+)\t([^\t\"\\\\]+)$")
        message(FATAL_ERROR "${INPUT}: malformed line \"${line}\"")
    endif()
    set(month ${CMAKE_MATCH_1})
    set(day ${CMAKE_MATCH_2})
    set(names "${CMAKE_MATCH_3}")
    if(month LESS 1 OR month GREATER 12)
        message(FATAL_ERROR "${INPUT}: no month ${month} in \"${line}\"")
    endif()
    math(EXPR month_index "${month} - 1")
    list(GET days_in_month ${month_index} last_day)
    if(day LESS 1 OR day GREATER last_day)
        message(FATAL_ERROR "${INPUT}: no day ${day} in month ${month}")
    endif()
    # Leading zeros would give two spellings of one day.
    math(EXPR month "${month}")
    math(EXPR day "${day}")
    if(DEFINED cell_${month}_${day})
        message(FATAL_ERROR "${INPUT}: day ${day}.${month} given twice")
    endif()
    string(LENGTH "${names}" length)
    if(length GREATER 50)
        message(FATAL_ERROR "${INPUT}: the names of ${day}.${month} are longer than 50 bytes")
    endif()
    set(cell_${month}_${day} "${names}")
    math(EXPR count "${count} + 1")
endforeach()

if(NOT count EQUAL 366)
    message(FATAL_ERROR "${INPUT}: ${count} days instead of 366")
endif()

set(text "// Generated from imieniny.tsv by imieniny.cmake; edit the data file, not this one.\n\n")
string(APPEND text "namespace kalendarz::detail {\n\n")
string(APPEND text "extern const char *const kNameDays[12][31];\n\n")
string(APPEND text "// [month - 1][day - 1], UTF-8; an empty text for days that do not exist.\n")
string(APPEND text "const char *const kNameDays[12][31] = {\n")
foreach(month RANGE 1 12)
    string(APPEND text "    {\n")
    foreach(day RANGE 1 31)
        if(DEFINED cell_${month}_${day})
            string(APPEND text "        \"${cell_${month}_${day}}\",\n")
        else()
            string(APPEND text "        \"\",\n")
        endif()
    endforeach()
    string(APPEND text "    },\n")
endforeach()
string(APPEND text "};\n\n} // namespace kalendarz::detail\n")

file(WRITE "${OUTPUT}" "${text}")

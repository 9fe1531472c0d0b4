# Turns the table of rates per kilometre (valid_from<TAB>four rates<TAB>act<TAB>confidence, UTF-8,
# "#" comment lines) into a C++ table, so that the program reads no file for it at run time.
#
#   cmake -DINPUT=stawki_km.tsv -DOUTPUT=stawki_km_table.cpp -P stawki_km.cmake
#
# The build stops on a malformed line, a rate that is not a decimal number or days out of order.

if(NOT INPUT OR NOT OUTPUT)
    message(FATAL_ERROR "stawki_km.cmake: INPUT and OUTPUT must be set")
endif()

file(STRINGS "${INPUT}" lines ENCODING UTF-8)

set(rows "")
set(previous "")
set(count 0)
set(number "[0-9]+\\.[0-9]+")
foreach(line IN LISTS lines)
    string(REGEX REPLACE "\r$" "" line "${line}")
    if(line STREQUAL "" OR line MATCHES "^#")
        continue()
    endif()
    if(NOT line MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])\t(${number})\t(${number})\t(${number})\t(${number})\t([^\t\"\\\\]+)\t([^\t\"\\\\]+)$")
        message(FATAL_ERROR "${INPUT}: malformed line \"${line}\"")
    endif()
    set(yyyy ${CMAKE_MATCH_1})
    set(mm ${CMAKE_MATCH_2})
    set(dd ${CMAKE_MATCH_3})
    set(rates "${CMAKE_MATCH_4}, ${CMAKE_MATCH_5}, ${CMAKE_MATCH_6}, ${CMAKE_MATCH_7}")
    set(act "${CMAKE_MATCH_8}")
    set(confidence "${CMAKE_MATCH_9}")
    set(day "${yyyy}${mm}${dd}")
    if(NOT previous STREQUAL "" AND NOT day GREATER previous)
        message(FATAL_ERROR "${INPUT}: ${day} does not follow ${previous}")
    endif()
    set(previous ${day})
    math(EXPR y "${yyyy}")
    math(EXPR m "1${mm} - 100")
    math(EXPR d "1${dd} - 100")
    if(confidence MATCHES "^confirmed")
        set(confirmed true)
    else()
        set(confirmed false)
    endif()
    string(APPEND rows "    {${y}, ${m}, ${d}, {${rates}}, \"${act}\", ${confirmed}},\n")
    math(EXPR count "${count} + 1")
endforeach()

if(count EQUAL 0)
    message(FATAL_ERROR "${INPUT}: no rates")
endif()

set(text "// Generated from stawki_km.tsv by stawki_km.cmake; edit the data file, not this one.\n\n")
string(APPEND text "#include \"stawki.h\"\n\n")
string(APPEND text "namespace settlement::detail {\n\n")
string(APPEND text "const RateSet kRateSets[] = {\n${rows}};\n")
string(APPEND text "const int kRateSetCount = ${count};\n\n")
string(APPEND text "} // namespace settlement::detail\n")

file(WRITE "${OUTPUT}" "${text}")

# Turns the road age-grading tables (data/age-grade/road-*-2025.csv, CC0)
# into a compiled table: cmake -DDATA=<folder> -DOUT=<file.cpp> -P this.
# Each file: its title, the distance names, distance_km, open_seconds, then
# one row per age from 5 to 100 with a factor per distance.
set(distances 22)
set(first_age 5)
set(last_age 100)

function(read_table file sex)
  file(STRINGS ${file} lines)
  list(LENGTH lines count)
  math(EXPR expected "4 + ${last_age} - ${first_age} + 1")
  if(NOT count EQUAL expected)
    message(FATAL_ERROR "${file}: ${count} lines, not ${expected}")
  endif()
  list(GET lines 0 title)
  string(REGEX REPLACE "^# *" "" title "${title}")
  string(STRIP "${title}" title)
  set(${sex}_title "${title}" PARENT_SCOPE)
  foreach(k RANGE 2 ${count})
    if(k EQUAL count)
      break()
    endif()
    list(GET lines ${k} line)
    string(STRIP "${line}" line)
    string(REPLACE "," ";" cells "${line}")
    list(LENGTH cells n)
    math(EXPR wanted "${distances} + 1")
    if(NOT n EQUAL wanted)
      message(FATAL_ERROR "${file}, line ${k}: ${n} cells, not ${wanted}")
    endif()
    list(POP_FRONT cells head)
    foreach(cell IN LISTS cells)
      if(NOT cell MATCHES "^[0-9]+(\\.[0-9]+)?$")
        message(FATAL_ERROR "${file}, line ${k}: '${cell}' is not a number")
      endif()
    endforeach()
    string(REPLACE ";" ", " row "${cells}")
    if(k EQUAL 2)
      set(${sex}_km "${row}" PARENT_SCOPE)
    elseif(k EQUAL 3)
      set(${sex}_open "${row}" PARENT_SCOPE)
    else()
      math(EXPR age "${k} - 4 + ${first_age}")
      if(NOT head EQUAL age)
        message(FATAL_ERROR "${file}, line ${k}: age ${head}, not ${age}")
      endif()
      set(rows "${rows}        {${row}},\n")
    endif()
  endforeach()
  set(${sex}_rows "${rows}" PARENT_SCOPE)
endfunction()

read_table(${DATA}/road-male-2025.csv male)
read_table(${DATA}/road-female-2025.csv female)
if(NOT male_km STREQUAL female_km)
  message(FATAL_ERROR "the two tables list different distances")
endif()

file(WRITE ${OUT}.new "// Made by cmake/make-age-tables.cmake from data/age-grade; do not edit.
#include \"model/agegrade.h\"

const char *const szAgeTableVersions[2] = {
    \"${male_title}\",
    \"${female_title}\",
};
const double AGE_TABLE_KM[AGE_DISTANCES] = {${male_km}};
const double AGE_OPEN_SECONDS[2][AGE_DISTANCES] = {
    {${male_open}},
    {${female_open}},
};
const double AGE_FACTORS[2][AGE_ROWS][AGE_DISTANCES] = {
    {
${male_rows}    },
    {
${female_rows}    },
};
")
# Written again only when it changed, so that nothing is rebuilt for nothing.
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different ${OUT}.new ${OUT})
file(REMOVE ${OUT}.new)

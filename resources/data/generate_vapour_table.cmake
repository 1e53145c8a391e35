# Turns vapour_pressure_mmHg.csv into the C++ arrays of core/setup/vapour_table.h, so the table is
# compiled in and a changed CSV rebuilds it.
# Usage: cmake -DCSV=<csv> -DOUT=<generated .cpp> -P generate_vapour_table.cmake
#
# The CSV holds one row per whole degree, "degC,p0,p2,p4,p6,p8": rows 0 … 65 for d.0 … d.8 °C and
# rows -0 … -15 for -d.0 … -d.8 °C (row 0 twice, once per sign). Every row must be present exactly
# once; a gap would make the look-up read a neighbour's value without anyone noticing.
cmake_minimum_required(VERSION 3.25)

file(READ "${CSV}" text)
# A checkout with CR LF line ends must read the same.
string(REPLACE "\r" "" text "${text}")
string(REPLACE "\n" ";" lines "${text}")
list(POP_FRONT lines header)
if(NOT header STREQUAL "degC,p0,p2,p4,p6,p8")
  message(FATAL_ERROR "${CSV}: unexpected header \"${header}\"")
endif()

foreach(line IN LISTS lines)
  if(line STREQUAL "")
    continue()
  endif()
  string(REPLACE "," ";" fields "${line}")
  list(LENGTH fields count)
  if(NOT count EQUAL 6)
    message(FATAL_ERROR "${CSV}: row \"${line}\" does not hold a degree and five values")
  endif()
  list(POP_FRONT fields degree)
  foreach(value IN LISTS fields)
    if(NOT value MATCHES "^[0-9]+(\\.[0-9]+)?$")
      message(FATAL_ERROR "${CSV}: \"${value}\" in row ${degree} is not a pressure")
    endif()
  endforeach()
  list(JOIN fields ", " values)
  if(degree MATCHES "^-([0-9]+)$")
    set(table negative)
    set(index ${CMAKE_MATCH_1})
  elseif(degree MATCHES "^([0-9]+)$")
    set(table positive)
    set(index ${CMAKE_MATCH_1})
  else()
    message(FATAL_ERROR "${CSV}: \"${degree}\" is not a whole degree")
  endif()
  if(DEFINED row_${table}_${index})
    message(FATAL_ERROR "${CSV}: row ${degree} appears twice")
  endif()
  set(row_${table}_${index} "${values}")
endforeach()

set(body "")
foreach(table positive negative)
  if(table STREQUAL "positive")
    set(last 65)
    set(name "VapourPositiveRows")
  else()
    set(last 15)
    set(name "VapourNegativeRows")
  endif()
  string(APPEND body "const VapourRow ${name}[] = {\n")
  foreach(index RANGE ${last})
    if(NOT DEFINED row_${table}_${index})
      message(FATAL_ERROR "${CSV}: the ${table} row ${index} is missing")
    endif()
    string(APPEND body "    {{${row_${table}_${index}}}}, // ${index}\n")
  endforeach()
  string(APPEND body "};\n\n")
endforeach()

file(WRITE "${OUT}.tmp"
  "// Generated from resources/data/vapour_pressure_mmHg.csv by generate_vapour_table.cmake.\n"
  "// Do not edit: change the CSV.\n"
  "#include \"core/setup/vapour_table.h\"\n\n"
  "namespace tolvane {\n\n"
  "${body}"
  "} // namespace tolvane\n")
# Only touch the output when it changed, so an unchanged table does not recompile.
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")

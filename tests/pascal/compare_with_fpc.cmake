# Compares our binary form file for a form text with Free Pascal's conversion
# of the same text, byte for byte. Run with cmake -P:
#   -DFPC_CONVERT=<fpc_convert>  -DTEXT=<form text>  -DWORK=<scratch directory>
#   and either -DORVALEN_GEN=<orvalen-gen> (converts TEXT with --convert)
#   or -DOURS=<binary form file already written, e.g. a generated MAIN.DFM>.
foreach(var FPC_CONVERT TEXT WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "compare_with_fpc: ${var} is not set")
  endif()
endforeach()
get_filename_component(stem "${TEXT}" NAME_WE)
file(MAKE_DIRECTORY "${WORK}")
set(theirs "${WORK}/${stem}.fpc.dfm")

if(NOT DEFINED OURS)
  if(NOT DEFINED ORVALEN_GEN)
    message(FATAL_ERROR "compare_with_fpc: set ORVALEN_GEN or OURS")
  endif()
  set(OURS "${WORK}/${stem}.ours.dfm")
  execute_process(COMMAND "${ORVALEN_GEN}" --convert "${TEXT}" "${OURS}"
                  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "orvalen-gen --convert ${TEXT} failed (${rc}): ${err}")
  endif()
endif()

execute_process(COMMAND "${FPC_CONVERT}" "${TEXT}" "${theirs}" RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "fpc_convert ${TEXT} failed (${rc}): ${err}")
endif()

file(READ "${OURS}" ours_hex HEX)
file(READ "${theirs}" theirs_hex HEX)
if(ours_hex STREQUAL theirs_hex)
  string(LENGTH "${ours_hex}" digits)
  math(EXPR bytes "${digits} / 2")
  message(STATUS "${stem}: ${bytes} bytes, identical")
  return()
endif()

# Locate the first differing byte by halving the common prefix, then show
# the neighbourhood of both files.
string(LENGTH "${ours_hex}" ours_len)
string(LENGTH "${theirs_hex}" theirs_len)
set(lo 0)
if(ours_len LESS theirs_len)
  set(hi ${ours_len})
else()
  set(hi ${theirs_len})
endif()
while(lo LESS hi)
  math(EXPR mid "((${lo} + ${hi} + 2) / 4) * 2")
  string(SUBSTRING "${ours_hex}" 0 ${mid} a)
  string(SUBSTRING "${theirs_hex}" 0 ${mid} b)
  if(a STREQUAL b)
    if(mid EQUAL lo)
      break()
    endif()
    set(lo ${mid})
  else()
    math(EXPR hi "${mid} - 2")
  endif()
endwhile()
math(EXPR offset "${lo} / 2")
math(EXPR ours_bytes "${ours_len} / 2")
math(EXPR theirs_bytes "${theirs_len} / 2")
string(SUBSTRING "${ours_hex}" ${lo} 32 ours_near)
string(SUBSTRING "${theirs_hex}" ${lo} 32 theirs_near)
message(FATAL_ERROR
  "${TEXT}: the binary form files differ from byte offset ${offset}\n"
  "  ours (${ours_bytes} bytes, ${OURS}): ${ours_near}\n"
  "  Free Pascal (${theirs_bytes} bytes, ${theirs}): ${theirs_near}")

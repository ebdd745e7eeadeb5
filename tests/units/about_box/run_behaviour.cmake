# Generates a project, then builds and runs the about box behaviour test
# against the STDABOUT.PAS the run wrote. Run with cmake -P:
#   -DORVALEN_GEN=<orvalen-gen>  -DFPC=<fpc>  -DSOURCE=<this directory>  -DWORK=<scratch>
foreach(var ORVALEN_GEN FPC SOURCE WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run_behaviour: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/project" "${WORK}/build/units")
execute_process(COMMAND "${ORVALEN_GEN}" -n AboutCheck "${WORK}/project"
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "orvalen-gen failed (${rc}): ${err}")
endif()

# The stand-ins do not stream forms; an empty resource file takes the place
# of the binary form file that the unit's {$R *.DFM} links in.
file(COPY "${WORK}/project/STDABOUT.PAS" DESTINATION "${WORK}/build")
file(COPY_FILE "${SOURCE}/empty.res" "${WORK}/build/STDABOUT.DFM")

execute_process(
  COMMAND "${FPC}" -Mdelphi -vw -gl "-Fu${SOURCE}" "-Fu${WORK}/build" "-FU${WORK}/build/units"
          "-FE${WORK}/build" "${SOURCE}/about_behaviour.pas"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0 OR out MATCHES "Error:")
  message(FATAL_ERROR "fpc failed (${rc}):\n${out}")
endif()
# The unit itself compiles without a warning.
string(REGEX MATCHALL "STDABOUT\\.PAS\\([^\n]*(Warning|Note):[^\n]*" remarks "${out}")
if(remarks)
  string(REPLACE ";" "\n" remarks "${remarks}")
  message(FATAL_ERROR "fpc remarks on STDABOUT.PAS:\n${remarks}")
endif()

execute_process(COMMAND "${WORK}/build/about_behaviour" RESULT_VARIABLE rc
                OUTPUT_VARIABLE out ERROR_VARIABLE out)
message("${out}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the about box behaviour test failed (${rc})")
endif()

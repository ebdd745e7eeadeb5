# Generates a project for one option set, then builds and runs the
# application behaviour test against its MAIN.PAS and MDICHILD.PAS. Run with
# cmake -P:
#   -DORVALEN_GEN=<orvalen-gen> -DFPC=<fpc> -DSOURCE=<this directory>
#   -DSTUBS=<tests/pascal/stubs> -DWORK=<scratch> -DOPTIONS=<option set>
foreach(var ORVALEN_GEN FPC SOURCE STUBS WORK OPTIONS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run_behaviour: ${var} is not set")
  endif()
endforeach()

if(OPTIONS STREQUAL "mdi")
  set(args -m file,window --recent)
elseif(OPTIONS STREQUAL "mdi-registry")
  set(args -m file,window --recent-registry)
elseif(OPTIONS STREQUAL "no-mdi")
  set(args --no-mdi -m file,window --recent)
elseif(OPTIONS STREQUAL "no-menus")
  set(args)
else()
  message(FATAL_ERROR "run_behaviour: unknown option set ${OPTIONS}")
endif()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/project" "${WORK}/build/units" "${WORK}/files")
execute_process(COMMAND "${ORVALEN_GEN}" -n AppCheck ${args} "${WORK}/project"
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "orvalen-gen failed (${rc}): ${err}")
endif()

# The compile stand-ins fill in the units nobody here runs; the behavioural
# ones of this directory take their place where the test needs behaviour.
# Only the stubs without a stand-in are copied: file(COPY) leaves a file alone
# when one with the same time stamp is there already, as in a fresh checkout.
file(GLOB stubs "${STUBS}/*.pas")
file(GLOB standins "${SOURCE}/*.pas")
foreach(stub ${stubs})
  get_filename_component(name "${stub}" NAME)
  if(NOT EXISTS "${SOURCE}/${name}")
    file(COPY "${stub}" DESTINATION "${WORK}/build")
  endif()
endforeach()
file(COPY ${standins} DESTINATION "${WORK}/build")
# The stand-ins read the form text; an empty resource file takes the place of
# the binary form file that {$R *.DFM} links in.
foreach(unit MAIN MDICHILD)
  file(COPY "${WORK}/project/${unit}.PAS" DESTINATION "${WORK}/build")
  file(COPY_FILE "${SOURCE}/../about_box/empty.res" "${WORK}/build/${unit}.DFM")
endforeach()

execute_process(
  COMMAND "${FPC}" -Mdelphi -vw -gl "-Fu${WORK}/build" "-FU${WORK}/build/units"
          "-FE${WORK}/build" "${WORK}/build/app_behaviour.pas"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0 OR out MATCHES "Error:")
  message(FATAL_ERROR "fpc failed (${rc}):\n${out}")
endif()

execute_process(COMMAND "${WORK}/build/app_behaviour" "${WORK}/project" "${WORK}/files"
                        "${OPTIONS}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
message("${out}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the application behaviour test failed for ${OPTIONS} (${rc})")
endif()

# The independent check of the form text conversion against Free Pascal's RTL
# (ObjectTextToResource of unit Classes).
#
# For other checks that compare binary form files with Free Pascal's:
#   ORVALEN_FPC_CONVERT  full path of the helper program `fpc_convert TEXTFORM BINFORM`
#   fpc_convert          the target that builds it; add it to a test's dependencies
#   ORVALEN_FPC_COMPARE  a cmake -P script comparing one text's conversions byte for byte:
#     cmake -DFPC_CONVERT=${ORVALEN_FPC_CONVERT} -DTEXT=MAIN.TXT -DOURS=MAIN.DFM
#           -DWORK=<scratch dir> -P ${ORVALEN_FPC_COMPARE}
#     (or -DORVALEN_GEN=<orvalen-gen> instead of -DOURS to convert TEXT with --convert)
#
# A fragment that sorts before this one and needs these includes it first:
#   include(${CMAKE_CURRENT_LIST_DIR}/fpc_convert.cmake)   (it is guarded)
#
# Each form text under tests/units/forms/ becomes one test, fpc_convert.<name>.
# The two converters agree on the forms we write; where their rules differ (Null,
# #codes above 127, integers beyond 32 bits, floats, collections) ours are
# covered by the unit tests instead.
include_guard(GLOBAL)
find_program(ORVALEN_FPC fpc)
set(ORVALEN_FPC_CONVERT "")
set(ORVALEN_FPC_COMPARE ${PROJECT_SOURCE_DIR}/tests/pascal/compare_with_fpc.cmake)
# The set-up installs Free Pascal: without it the machine is broken, and the
# checks must not quietly go missing.
if(NOT ORVALEN_FPC)
  message(FATAL_ERROR "fpc not found: install fp-compiler and fp-units-fcl (scripts/setup.sh does)")
endif()

set(fpc_convert_dir ${PROJECT_BINARY_DIR}/tests/pascal)
set(ORVALEN_FPC_CONVERT ${fpc_convert_dir}/fpc_convert)
add_custom_command(
  OUTPUT ${ORVALEN_FPC_CONVERT}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${fpc_convert_dir}/units
  COMMAND ${ORVALEN_FPC} -O2 -v0 -l- -FE${fpc_convert_dir} -FU${fpc_convert_dir}/units
          ${PROJECT_SOURCE_DIR}/tests/pascal/fpc_convert.pas
  DEPENDS ${PROJECT_SOURCE_DIR}/tests/pascal/fpc_convert.pas
  COMMENT "Building the Free Pascal form conversion helper"
  VERBATIM)
add_custom_target(fpc_convert ALL DEPENDS ${ORVALEN_FPC_CONVERT})

file(GLOB fpc_convert_forms CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/units/forms/*.txt)
foreach(form ${fpc_convert_forms})
  get_filename_component(name ${form} NAME_WE)
  add_test(NAME fpc_convert.${name}
           COMMAND ${CMAKE_COMMAND} -DFPC_CONVERT=${ORVALEN_FPC_CONVERT}
                   -DORVALEN_GEN=$<TARGET_FILE:orvalen-gen> -DTEXT=${form}
                   -DWORK=${PROJECT_BINARY_DIR}/tests/fpc_convert -P ${ORVALEN_FPC_COMPARE})
  set_tests_properties(fpc_convert.${name} PROPERTIES LABELS fpc)
endforeach()

# The forms load: every binary form file of a few generated projects is read
# by Free Pascal's TReader into streaming stand-ins of the form library and a
# form class built from the generated unit's declaration
# (tests/units/form_loading).
find_program(ORVALEN_FPC fpc)
if(NOT ORVALEN_FPC)
  message(FATAL_ERROR "fpc not found: the form loading test needs Free Pascal "
                      "(apt-get install fpc fp-units-fcl)")
endif()
add_test(NAME forms_load
  COMMAND ${CMAKE_COMMAND} -DORVALEN_GEN=$<TARGET_FILE:orvalen-gen> -DFPC=${ORVALEN_FPC}
          -DSOURCE=${PROJECT_SOURCE_DIR}/tests/units/form_loading
          -DWORK=${PROJECT_BINARY_DIR}/tests/form_loading -P
          ${PROJECT_SOURCE_DIR}/tests/units/form_loading/run_loading.cmake)
set_tests_properties(forms_load PROPERTIES LABELS fpc)

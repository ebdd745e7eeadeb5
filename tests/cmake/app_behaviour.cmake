# The generated application's main form and document window run against
# behavioural stand-ins of the form library (tests/units/app_behaviour), for
# a few option sets: what its user sees when opening, closing and quitting.
find_program(ORVALEN_FPC fpc)
if(NOT ORVALEN_FPC)
  message(FATAL_ERROR "Free Pascal (fpc) not found: the application behaviour test needs it; "
                      "install fp-compiler")
endif()
foreach(options mdi mdi-registry no-mdi no-menus)
  add_test(NAME app_behaviour_${options}
    COMMAND ${CMAKE_COMMAND} -DORVALEN_GEN=$<TARGET_FILE:orvalen-gen> -DFPC=${ORVALEN_FPC}
            -DSOURCE=${PROJECT_SOURCE_DIR}/tests/units/app_behaviour
            -DSTUBS=${PROJECT_SOURCE_DIR}/tests/pascal/stubs
            -DWORK=${PROJECT_BINARY_DIR}/tests/app_behaviour/${options} -DOPTIONS=${options} -P
            ${PROJECT_SOURCE_DIR}/tests/units/app_behaviour/run_behaviour.cmake)
  set_tests_properties(app_behaviour_${options} PROPERTIES LABELS fpc)
endforeach()

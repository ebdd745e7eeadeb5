# The about form's picture data must be what its drawing gives.
add_test(NAME about_form_picture_matches_drawing
  COMMAND picturedata --check ${PROJECT_SOURCE_DIR}/resources/pascal/stdabout-icon.txt
          ${PROJECT_SOURCE_DIR}/resources/pascal/stdabout.txt)

# The about unit's code run against stand-ins for Windows, the registry, the
# shell and the form library (tests/units/about_box).
find_program(ORVALEN_FPC fpc)
if(ORVALEN_FPC)
  add_test(NAME about_box_behaviour
    COMMAND ${CMAKE_COMMAND} -DORVALEN_GEN=$<TARGET_FILE:orvalen-gen> -DFPC=${ORVALEN_FPC}
            -DSOURCE=${PROJECT_SOURCE_DIR}/tests/units/about_box
            -DWORK=${PROJECT_BINARY_DIR}/tests/about_box -P
            ${PROJECT_SOURCE_DIR}/tests/units/about_box/run_behaviour.cmake)
  set_tests_properties(about_box_behaviour PROPERTIES LABELS fpc)
else()
  message(FATAL_ERROR "fpc not found: install fp-compiler (scripts/setup.sh does)")
endif()

# The Lazarus target's proof is the real thing: generated projects build with
# lazbuild against the installed LCL (each for the widgetset its .lpi names,
# with a private configuration so that the system's Lazarus tree is never
# written), and run under Xvfb as a person uses them. Label lazarus.
#   ctest -L lazarus
find_program(ORVALEN_LAZBUILD lazbuild)
if(NOT ORVALEN_LAZBUILD)
  message(FATAL_ERROR "lazbuild not found: install lcl-utils-2.2 and the LCL units "
                      "(scripts/setup.sh does)")
endif()

add_test(NAME lazbuild_matrix
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/lazarus/lazbuild_matrix.sh $<TARGET_FILE:orvalen-gen>
                 ${CMAKE_CURRENT_BINARY_DIR}/lazbuild_matrix)
# About 6 s a build on two cores; it uses both.
set_tests_properties(lazbuild_matrix PROPERTIES LABELS lazarus TIMEOUT 900 PROCESSORS 2
                     RESOURCE_LOCK lazbuild)

# The generated programs used in Xvfb: one test per case of the driver.
execute_process(COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/lazarus/lcl_app_x11.sh --list
                OUTPUT_VARIABLE orvalen_lcl_cases OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REPLACE "\n" ";" orvalen_lcl_cases "${orvalen_lcl_cases}")
foreach(lcl_case ${orvalen_lcl_cases})
  add_test(NAME lazarus_x11.${lcl_case}
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/lazarus/lcl_app_x11.sh ${lcl_case})
  set_tests_properties(lazarus_x11.${lcl_case} PROPERTIES
    LABELS "lazarus;x11" TIMEOUT 200 RESOURCE_LOCK lazbuild
    ENVIRONMENT "ORVALEN_GEN=$<TARGET_FILE:orvalen-gen>;X11_SETTLE=$<TARGET_FILE:x11_settle>;E2E_TIMEOUT=150")
endforeach()

# The generated forms against Free Pascal's converter: every binary form file
# of a run (main form, MDI child, about box) must be byte-identical to what
# Free Pascal's ObjectTextToResource makes of the same text, for every
# combination of the wizard's choices.
add_executable(forms_vs_fpc ${PROJECT_SOURCE_DIR}/tests/tools/forms_vs_fpc.cpp)
target_compile_options(forms_vs_fpc PRIVATE ${ORVALEN_WARNINGS})
target_include_directories(forms_vs_fpc PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(forms_vs_fpc PRIVATE orvalen_run)

# The Free Pascal helper comes from fpc_convert.cmake, which may be read after
# this file: the tests are added once the whole directory has been read.
function(orvalen_add_forms_vs_fpc_tests)
  if(NOT ORVALEN_FPC_CONVERT)
    message(FATAL_ERROR "the Free Pascal form conversion helper is not set up (fpc_convert.cmake)")
  endif()
  add_dependencies(forms_vs_fpc fpc_convert)
  add_test(NAME forms_vs_fpc.quick
           COMMAND forms_vs_fpc ${ORVALEN_FPC_CONVERT} ${PROJECT_BINARY_DIR}/tests/forms_vs_fpc.quick)
  set_tests_properties(forms_vs_fpc.quick PROPERTIES LABELS fpc)
  # The whole matrix, with ORVALEN_FULL_MATRIX=1 in the environment; skipped otherwise.
  add_test(NAME forms_vs_fpc.full
           COMMAND forms_vs_fpc ${ORVALEN_FPC_CONVERT} ${PROJECT_BINARY_DIR}/tests/forms_vs_fpc.full
                   --full)
  set_tests_properties(forms_vs_fpc.full PROPERTIES LABELS "fpc;slow" SKIP_RETURN_CODE 77)
endfunction()
cmake_language(DEFER CALL orvalen_add_forms_vs_fpc_tests)

# Every option combination of the wizard must give a project that compiles:
# the generated sources are compiled with Free Pascal in Delphi mode against
# the stand-in units of tests/pascal/stubs. The quick subset runs every time;
# the full matrix (label slow) runs when ORVALEN_FULL_MATRIX=1.
add_executable(pascal_matrix ${CMAKE_CURRENT_SOURCE_DIR}/pascal/pascal_matrix.cpp)
target_compile_options(pascal_matrix PRIVATE ${ORVALEN_WARNINGS})
target_link_libraries(pascal_matrix PRIVATE orvalen_run)

find_program(ORVALEN_FPC fpc)
if(ORVALEN_FPC)
  execute_process(COMMAND ${ORVALEN_FPC} -iV OUTPUT_VARIABLE ORVALEN_FPC_VERSION
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND ${ORVALEN_FPC} -iTP OUTPUT_VARIABLE ORVALEN_FPC_CPU
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND ${ORVALEN_FPC} -iTO OUTPUT_VARIABLE ORVALEN_FPC_OS
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  # The compiler runs without its configuration file, so that no library of
  # its own can stand in for a unit the stubs must declare; only the RTL
  # (System, SysUtils, Classes) is taken from it.
  find_path(ORVALEN_FPC_RTL system.ppu
            PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/fpc/${ORVALEN_FPC_VERSION}
                  /usr/lib/fpc/${ORVALEN_FPC_VERSION} /usr/local/lib/fpc/${ORVALEN_FPC_VERSION}
            PATH_SUFFIXES units/${ORVALEN_FPC_CPU}-${ORVALEN_FPC_OS}/rtl NO_DEFAULT_PATH)
endif()

if(ORVALEN_FPC AND ORVALEN_FPC_RTL)
  set(ORVALEN_MATRIX_ARGS --fpc ${ORVALEN_FPC} --rtl ${ORVALEN_FPC_RTL}
      --stubs ${CMAKE_CURRENT_SOURCE_DIR}/pascal/stubs --jobs 2)
  add_test(NAME pascal_matrix_quick
           COMMAND pascal_matrix ${ORVALEN_MATRIX_ARGS}
                   --work ${CMAKE_CURRENT_BINARY_DIR}/pascal_matrix_quick)
  add_test(NAME pascal_matrix_full
           COMMAND pascal_matrix ${ORVALEN_MATRIX_ARGS} --full
                   --work ${CMAKE_CURRENT_BINARY_DIR}/pascal_matrix_full)
  set_tests_properties(pascal_matrix_full PROPERTIES LABELS slow SKIP_RETURN_CODE 77 TIMEOUT 3600)
  # Both use the two cores; they do not run beside each other.
  set_tests_properties(pascal_matrix_quick pascal_matrix_full PROPERTIES
                       RESOURCE_LOCK pascal_matrix PROCESSORS 2)
else()
  message(FATAL_ERROR "Free Pascal (fpc) or its RTL not found: install fp-compiler and "
                      "fp-units-rtl (scripts/setup.sh does)")
endif()

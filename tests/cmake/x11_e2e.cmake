# The programs end to end in a real X server (Xvfb), walked with the keyboard
# through xdotool: one test per case of tests/e2e/testorvalen_x11.sh and
# tests/e2e/expert_host_x11.sh, label x11.
#   ctest -L x11
# x11_settle tells the driver when the program has taken in the keys sent.
find_program(ORVALEN_XVFB Xvfb)
find_program(ORVALEN_XDOTOOL xdotool)
find_package(X11)
# The set-up installs them: without them the machine is broken, and the
# programs' own tests must not quietly go missing.
if(NOT ORVALEN_XVFB OR NOT ORVALEN_XDOTOOL)
  message(FATAL_ERROR "Xvfb or xdotool not found: install xvfb and xdotool (scripts/setup.sh does)")
endif()
if(NOT X11_FOUND)
  message(FATAL_ERROR "Xlib not found: install libx11-dev (scripts/setup.sh does, with Qt)")
endif()

add_executable(x11_settle ${CMAKE_CURRENT_SOURCE_DIR}/e2e/x11_settle.cpp)
target_compile_options(x11_settle PRIVATE ${ORVALEN_WARNINGS})
target_link_libraries(x11_settle PRIVATE X11::X11)

# Each driver's cases, as its --list gives them, become tests x11.<program>.<case>.
set(orvalen_x11_environment
  "TESTORVALEN=$<TARGET_FILE:testorvalen>" "EXPERT_HOST=$<TARGET_FILE:expert-host>"
  "ORVALEN_GEN=$<TARGET_FILE:orvalen-gen>" "X11_SETTLE=$<TARGET_FILE:x11_settle>"
  "E2E_TIMEOUT=150")
# In the sanitizer build LeakSanitizer judges each program as it ends; the
# buffer libdbus keeps to the end of the process is not ours.
list(APPEND orvalen_x11_environment
  "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/hosts/lsan.supp:print_suppressions=0")
foreach(program testorvalen expert_host)
  set(driver ${CMAKE_CURRENT_SOURCE_DIR}/e2e/${program}_x11.sh)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${driver})
  execute_process(COMMAND bash ${driver} --list OUTPUT_VARIABLE cases
                  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  string(REPLACE "\n" ";" cases "${cases}")
  foreach(case ${cases})
    add_test(NAME x11.${program}.${case} COMMAND bash ${driver} ${case})
    set_tests_properties(x11.${program}.${case} PROPERTIES
      LABELS x11 TIMEOUT 180 ENVIRONMENT "${orvalen_x11_environment}")
  endforeach()
endforeach()

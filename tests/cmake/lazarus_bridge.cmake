# The Lazarus IDE package's bridge unit, from a Free Pascal host without the
# IDE: built with fpc at test time into the build tree, against this build's
# orvalen.so, and walked in Xvfb. Label lazarus-ide.
#   ctest -L lazarus-ide
#
# Free Pascal's program is not built with the sanitizers, so a module built
# with them cannot be loaded into it: the sanitizer build leaves this test out
# (the C++ contract tests load that module there).
if(ORVALEN_SANITIZE)
  return()
endif()
find_program(ORVALEN_FPC fpc)
if(NOT ORVALEN_FPC)
  message(FATAL_ERROR "fpc not found: install fp-compiler (scripts/setup.sh does)")
endif()
add_test(NAME lazarus_ide.bridge_host_x11
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/lazarus/bridge_host_x11.sh)
set_tests_properties(lazarus_ide.bridge_host_x11 PROPERTIES
  LABELS "lazarus-ide;x11" TIMEOUT 120
  ENVIRONMENT "FPC=${ORVALEN_FPC};ORVALEN_MODULE=$<TARGET_FILE:orvalen>;BRIDGE_BUILD=${CMAKE_CURRENT_BINARY_DIR}/bridge_host;ORVALEN_GEN=$<TARGET_FILE:orvalen-gen>;X11_SETTLE=$<TARGET_FILE:x11_settle>;E2E_TIMEOUT=90")

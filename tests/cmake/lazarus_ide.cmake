# The wizard in the real Lazarus IDE: a private IDE is built with the package
# of hosts/lazarus installed (once, as a fixture; the system's Lazarus tree is
# only read), then started under Xvfb with this build's module and used as a
# person uses it. Label lazarus-ide.
#   ctest -L lazarus-ide
#
# The IDE is an ordinary program, not built with the sanitizers: a module
# built with them cannot be loaded into it, so the sanitizer build leaves
# these tests out.
if(ORVALEN_SANITIZE)
  return()
endif()
find_program(ORVALEN_LAZBUILD lazbuild)
if(NOT ORVALEN_LAZBUILD OR NOT EXISTS /usr/lib/lazarus/2.2.6/ide/lazarus.lpi)
  message(FATAL_ERROR "the Lazarus IDE's sources not found: install lazarus-ide-2.2 and "
                      "lazarus-src-2.2 (scripts/setup.sh does)")
endif()

set(orvalen_ide_dir ${CMAKE_CURRENT_BINARY_DIR}/lazarus-ide)
# About 80 s incremental over Debian's compiled packages on two cores, several
# minutes the first time.
add_test(NAME lazarus_ide.build
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/lazarus/ide_build.sh ${PROJECT_SOURCE_DIR}/hosts/lazarus
                 ${orvalen_ide_dir})
set_tests_properties(lazarus_ide.build PROPERTIES
  LABELS lazarus-ide TIMEOUT 1800 PROCESSORS 2 RESOURCE_LOCK lazbuild FIXTURES_SETUP lazarus_ide)

# The IDE in Xvfb: one test per case of the driver.
set(orvalen_ide_driver ${CMAKE_CURRENT_SOURCE_DIR}/lazarus/ide_x11.sh)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${orvalen_ide_driver})
execute_process(COMMAND bash ${orvalen_ide_driver} --list OUTPUT_VARIABLE orvalen_ide_cases
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "\n" ";" orvalen_ide_cases "${orvalen_ide_cases}")
foreach(ide_case ${orvalen_ide_cases})
  add_test(NAME lazarus_ide.x11.${ide_case} COMMAND bash ${orvalen_ide_driver} ${ide_case})
  set_tests_properties(lazarus_ide.x11.${ide_case} PROPERTIES
    LABELS "lazarus-ide;x11" TIMEOUT 300 RESOURCE_LOCK lazbuild FIXTURES_REQUIRED lazarus_ide
    ENVIRONMENT "IDE_DIR=${orvalen_ide_dir};ORVALEN_EXPERT_MODULE=$<TARGET_FILE:orvalen>;ORVALEN_GEN=$<TARGET_FILE:orvalen-gen>;X11_SETTLE=$<TARGET_FILE:x11_settle>;E2E_TIMEOUT=240")
endforeach()

# expert-host and the expert module's contract. The contract tests load
# orvalen.so with dlopen as an IDE does, through expert-host's Qt-free loader;
# they link the shared memory manager, never the module, and stand in front of
# the manager's entry points (counting blocks), so they export them to the module.
add_executable(expert_contract_tests ${CMAKE_CURRENT_SOURCE_DIR}/hosts/expert_contract.cpp)
set_target_properties(expert_contract_tests PROPERTIES ENABLE_EXPORTS ON)
target_compile_options(expert_contract_tests PRIVATE ${ORVALEN_WARNINGS})
target_include_directories(expert_contract_tests PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(expert_contract_tests PRIVATE orvalen_expert_loader Qt6::Widgets Qt6::Test
                                                    GTest::gtest)
target_link_options(expert_contract_tests PRIVATE -Wl,--no-as-needed)
target_compile_definitions(expert_contract_tests PRIVATE
  ORVALEN_EXPERT_MODULE="$<TARGET_FILE:orvalen>" ORVALEN_BINARY_DIR="${PROJECT_BINARY_DIR}")
add_dependencies(expert_contract_tests orvalen)
# In the sanitizer build LeakSanitizer checks each test process as it ends:
# a hundred runs of the wizard in one process leave nothing behind.
gtest_discover_tests(expert_contract_tests DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS expert)
# A foreign owner window needs a platform that has them: X11, on an X server
# of the test's own. Skipping there would hide the check, so it fails.
find_program(ORVALEN_XVFB Xvfb)
if(NOT ORVALEN_XVFB)
  message(FATAL_ERROR "Xvfb not found: the expert contract's X11 test needs it; install xvfb")
endif()
add_test(NAME expert_contract_foreign_owner_x11
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/hosts/with_xvfb.sh $<TARGET_FILE:expert_contract_tests>
          --gtest_filter=ExpertContract.AForeignOwnerWindowIsLetGoAfterEachRun)
# On X11 libdbus keeps a buffer to the end: lsan.supp says why that one is let be.
set_tests_properties(expert_contract_foreign_owner_x11 PROPERTIES
  LABELS "expert;x11" FAIL_REGULAR_EXPRESSION "SKIPPED"
  ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/hosts/lsan.supp:print_suppressions=0")

# The window's own tests join the widget tests.
target_link_libraries(orvalen_qt_tests PRIVATE orvalen_expert_host)

# The screenshots include expert-host with this build's module.
target_link_libraries(orvalen-screenshots PRIVATE orvalen_expert_host)
target_compile_definitions(orvalen-screenshots PRIVATE
  ORVALEN_EXPERT_MODULE="$<TARGET_FILE:orvalen>")
add_dependencies(orvalen-screenshots orvalen)

# What the module sets up inside a host of another toolkit is checked alone.
target_sources(orvalen_tests PRIVATE ${PROJECT_SOURCE_DIR}/hosts/expert/foreign_host.cpp)

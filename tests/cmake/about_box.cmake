# The about box: the dialog renderer behind scripts/screenshots.sh, which
# carries the standalone program's version block; a program with a partial
# block (no copyright, mail or web address) for the library case; and the
# core's independence of Qt.
add_executable(orvalen-screenshots ${PROJECT_SOURCE_DIR}/tests/tools/screenshots.cpp)
target_compile_options(orvalen-screenshots PRIVATE ${ORVALEN_WARNINGS})
target_link_libraries(orvalen-screenshots PRIVATE orvalen_about orvalen_wizard)
orvalen_add_version_info(orvalen-screenshots)

set(orvalen_partial_block ${CMAKE_CURRENT_BINARY_DIR}/about_box/partial.versioninfo)
add_custom_command(
  OUTPUT ${orvalen_partial_block}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/about_box
  COMMAND versioninfo ${CMAKE_CURRENT_SOURCE_DIR}/about/partial_version.rc ${orvalen_partial_block}
  DEPENDS versioninfo ${CMAKE_CURRENT_SOURCE_DIR}/about/partial_version.rc
  VERBATIM)
add_custom_target(orvalen_partial_block DEPENDS ${orvalen_partial_block})
add_executable(partial_version_carrier ${CMAKE_CURRENT_SOURCE_DIR}/platform/version_info_program.cpp)
add_dependencies(partial_version_carrier orvalen_partial_block)
orvalen_add_version_info(partial_version_carrier BLOCK ${orvalen_partial_block})

# version_info.cmake hands the carrier and the plain program to orvalen_tests.
add_dependencies(orvalen_tests partial_version_carrier)
target_compile_definitions(orvalen_tests PRIVATE
  ORVALEN_PARTIAL_VERSION_CARRIER="$<TARGET_FILE:partial_version_carrier>")
add_dependencies(orvalen_qt_tests version_info_carrier version_info_plain)
target_compile_definitions(orvalen_qt_tests PRIVATE
  ORVALEN_VERSION_CARRIER="$<TARGET_FILE:version_info_carrier>"
  ORVALEN_VERSION_PLAIN="$<TARGET_FILE:version_info_plain>")

# The command-line generator and the core it links stay free of Qt.
add_test(NAME orvalen_gen_links_no_qt
  COMMAND sh -c "! ldd \"$1\" | grep -i qt" sh $<TARGET_FILE:orvalen-gen>)

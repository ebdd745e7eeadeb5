# Included by cpack as it starts (CPACK_PROJECT_CONFIG_FILE): the Debian
# package's Depends, from dpkg-shlibdeps run on ORVALEN_PACKAGE_BINARIES.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
find_program(ORVALEN_DPKG_SHLIBDEPS dpkg-shlibdeps REQUIRED)
# dpkg-shlibdeps wants to run from a source package: an empty control file does.
set(orvalen_shlibdeps_dir ${CPACK_TOPLEVEL_DIRECTORY}/shlibdeps)
if(NOT CPACK_TOPLEVEL_DIRECTORY)
  set(orvalen_shlibdeps_dir ${CPACK_PACKAGE_DIRECTORY}/_CPack_Packages/shlibdeps)
endif()
file(MAKE_DIRECTORY ${orvalen_shlibdeps_dir}/debian)
file(WRITE ${orvalen_shlibdeps_dir}/debian/control "")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${ORVALEN_DPKG_SHLIBDEPS} -O --ignore-missing-info
          ${ORVALEN_PACKAGE_BINARIES}
  WORKING_DIRECTORY ${orvalen_shlibdeps_dir}
  RESULT_VARIABLE orvalen_result
  OUTPUT_VARIABLE orvalen_output
  ERROR_VARIABLE orvalen_error)
if(NOT orvalen_result EQUAL 0 OR NOT orvalen_output MATCHES "shlibs:Depends=([^\n]*)")
  message(FATAL_ERROR "dpkg-shlibdeps failed: ${orvalen_error}")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}")

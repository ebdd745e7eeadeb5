# The version information: the block we compile from the VERSIONINFO script
# against windres's compilation of the same script.
get_property(orvalen_version_script GLOBAL PROPERTY ORVALEN_VERSION_SCRIPT)
get_property(orvalen_version_block GLOBAL PROPERTY ORVALEN_VERSION_BLOCK)
set(orvalen_version_work ${CMAKE_CURRENT_BINARY_DIR}/version_info)

find_program(ORVALEN_WINDRES x86_64-w64-mingw32-windres)
if(ORVALEN_WINDRES)
  add_executable(versionres_check ${CMAKE_CURRENT_SOURCE_DIR}/tools/versionres_check.cpp)
  target_compile_options(versionres_check PRIVATE ${ORVALEN_WARNINGS})
  add_dependencies(versionres_check orvalen_version_block)
  add_test(NAME version_info_matches_windres
           COMMAND versionres_check ${ORVALEN_WINDRES} ${orvalen_version_script}
                   ${orvalen_version_block} ${orvalen_version_work}/windres.res)
else()
  message(WARNING "x86_64-w64-mingw32-windres not found: the version block is not compared with it")
endif()

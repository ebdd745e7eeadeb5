# The version information: the block we compile from the VERSIONINFO script
# against windres's compilation of the same script, and the programs, objects
# and module the reader's tests (tests/platform/version_info_test.cpp) read.
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
  message(FATAL_ERROR "x86_64-w64-mingw32-windres not found: install binutils-mingw-w64-x86-64 "
                      "(scripts/setup.sh does)")
endif()

# A program that carries the block, and the same program without it.
set(orvalen_version_program ${CMAKE_CURRENT_SOURCE_DIR}/platform/version_info_program.cpp)
add_executable(version_info_carrier ${orvalen_version_program})
add_executable(version_info_plain ${orvalen_version_program})
orvalen_add_version_info(version_info_carrier)

# The block in bare ELF files of both classes and both byte orders, made by
# binutils rather than by anything of ours.
# The format names are binutils' own: a clang build's CMAKE_OBJCOPY is
# llvm-objcopy, which knows other ones.
find_program(ORVALEN_BINUTILS_OBJCOPY objcopy REQUIRED)
set(orvalen_version_objects "")
foreach(format elf32-little elf32-big elf64-little elf64-big)
  set(object ${orvalen_version_work}/${format}.o)
  add_custom_command(
    OUTPUT ${object}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${orvalen_version_work}
    COMMAND ${ORVALEN_BINUTILS_OBJCOPY} -I binary -O ${format}
            --rename-section .data=.versioninfo,contents,readonly ${orvalen_version_block} ${object}
    DEPENDS ${orvalen_version_block}
    VERBATIM)
  list(APPEND orvalen_version_objects ${object})
endforeach()
add_custom_target(version_info_objects DEPENDS ${orvalen_version_objects})

# A module that asks for its own file name (ModuleFileName of its own code).
# It compiles the look-up itself: the static libraries are not built for
# position-independent code.
add_library(version_info_module MODULE ${CMAKE_CURRENT_SOURCE_DIR}/platform/version_info_module.cpp
                                       ${PROJECT_SOURCE_DIR}/platform/program_file.cpp)
target_include_directories(version_info_module PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(version_info_module PRIVATE ${ORVALEN_WARNINGS})

add_dependencies(orvalen_tests version_info_carrier version_info_plain version_info_objects
                 version_info_module orvalen_version_block)
target_compile_definitions(orvalen_tests PRIVATE
  ORVALEN_VERSION_BLOCK="${orvalen_version_block}"
  ORVALEN_VERSION_OBJECTS="${orvalen_version_work}"
  ORVALEN_VERSION_CARRIER="$<TARGET_FILE:version_info_carrier>"
  ORVALEN_VERSION_PLAIN="$<TARGET_FILE:version_info_plain>"
  ORVALEN_VERSION_MODULE="$<TARGET_FILE:version_info_module>"
  ORVALEN_PROJECT_VERSION="${PROJECT_VERSION}")

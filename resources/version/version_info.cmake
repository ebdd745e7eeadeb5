# Version information: the VERSIONINFO script of the standalone program,
# compiled into the standard version block, and the function that puts such a
# block into a program file as its ELF section .versioninfo, where
# platform/version_info.h reads it back.
#
#   orvalen_add_version_info(TARGET [BLOCK FILE])
#     after TARGET is linked, its file gets FILE (default: the block of
#     testorvalen) as the non-loaded, read-only section .versioninfo; the
#     section's bytes are the block's bytes. Call it in the directory that
#     creates TARGET.
#
# For the checks: the global properties ORVALEN_VERSION_SCRIPT (the configured
# script) and ORVALEN_VERSION_BLOCK (its block), and the target
# orvalen_version_block that makes the block.
add_executable(versioninfo ${CMAKE_CURRENT_LIST_DIR}/../tools/versioninfo.cpp)
target_compile_options(versioninfo PRIVATE ${ORVALEN_WARNINGS})

set(orvalen_version_dir ${CMAKE_CURRENT_BINARY_DIR}/version)
configure_file(${CMAKE_CURRENT_LIST_DIR}/testorvalen.rc.in ${orvalen_version_dir}/testorvalen.rc
               @ONLY)
add_custom_command(
  OUTPUT ${orvalen_version_dir}/testorvalen.versioninfo
  COMMAND versioninfo ${orvalen_version_dir}/testorvalen.rc
          ${orvalen_version_dir}/testorvalen.versioninfo
  DEPENDS versioninfo ${orvalen_version_dir}/testorvalen.rc
  COMMENT "Compiling the version information of testorvalen"
  VERBATIM)
add_custom_target(orvalen_version_block DEPENDS ${orvalen_version_dir}/testorvalen.versioninfo)
set_property(GLOBAL PROPERTY ORVALEN_VERSION_SCRIPT ${orvalen_version_dir}/testorvalen.rc)
set_property(GLOBAL PROPERTY ORVALEN_VERSION_BLOCK ${orvalen_version_dir}/testorvalen.versioninfo)

function(orvalen_add_version_info target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "BLOCK" "")
  if(NOT arg_BLOCK)
    get_property(arg_BLOCK GLOBAL PROPERTY ORVALEN_VERSION_BLOCK)
    add_dependencies(${target} orvalen_version_block)
  endif()
  if(NOT CMAKE_OBJCOPY)
    message(FATAL_ERROR "objcopy not found: ${target} cannot carry its version information")
  endif()
  # A changed block relinks the program, and the section is added afresh to
  # the new file. The alignment is a second step: objcopy gives a section it
  # adds the alignment 1 whatever it is told.
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${arg_BLOCK})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --remove-section .versioninfo
            --add-section .versioninfo=${arg_BLOCK}
            --set-section-flags .versioninfo=contents,readonly $<TARGET_FILE:${target}>
    COMMAND ${CMAKE_OBJCOPY} --set-section-alignment .versioninfo=4 $<TARGET_FILE:${target}>
    COMMENT "Adding the version information to ${target}"
    VERBATIM)
endfunction()

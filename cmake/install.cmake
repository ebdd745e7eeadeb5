# What `cmake --install` puts where, and the Debian package `cpack -G DEB`
# makes of it. Under the prefix (/usr in the package):
#
#   bin/orvalen-gen, bin/testorvalen, bin/expert-host
#   lib/orvalen/orvalen.so       the expert module an IDE loads
#   lib/orvalen/libidemm.so      the memory manager the IDE and its modules share
#   share/applications/testorvalen.desktop
#   share/icons/hicolor/scalable/apps/testorvalen.svg
#   share/man/man1/orvalen-gen.1.gz, testorvalen.1.gz, expert-host.1.gz
#   share/bash-completion/completions/orvalen-gen
#   share/doc/orvalen/copyright, changelog.gz
#   share/orvalen/lazarus/       the Lazarus IDE package's sources, for a person
#                                to install into the IDE (orvalen_lazarus.lpk)
#
# The two libraries are the programs' own, not for other programs to link, so
# they live in a directory of their own rather than the multiarch library
# directory. expert-host, the one program that links libidemm.so, finds it
# through a RUNPATH relative to itself, $ORIGIN/../lib/orvalen, and the module
# finds libidemm.so beside it: an installed tree works wherever it is unpacked.
# orvalen-gen and testorvalen link nothing of their own and carry no run path:
# the loader would look in every run path directory, and in its hardware
# subdirectories, for each system library before the system's own directories
# (in the build tree CMake pads the place for the installed run path with empty
# entries, each the current directory), all of which costs testorvalen's start.
#
# A host target is installed once it exists, so this file is included after
# every directory that creates one.
include(GNUInstallDirs)

set(ORVALEN_INSTALL_LIBDIR lib/orvalen)
file(RELATIVE_PATH orvalen_bin_to_lib /${CMAKE_INSTALL_BINDIR} /${ORVALEN_INSTALL_LIBDIR})

foreach(program orvalen-gen testorvalen expert-host)
  if(TARGET ${program})
    if(program STREQUAL "expert-host")
      set_target_properties(${program} PROPERTIES INSTALL_RPATH "$ORIGIN/${orvalen_bin_to_lib}")
    endif()
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
if(TARGET orvalen)
  set_target_properties(orvalen PROPERTIES INSTALL_RPATH "$ORIGIN")
  install(TARGETS orvalen LIBRARY DESTINATION ${ORVALEN_INSTALL_LIBDIR})
endif()
if(TARGET idemm)
  install(TARGETS idemm LIBRARY DESTINATION ${ORVALEN_INSTALL_LIBDIR})
endif()

# The manual pages and the changelog, compressed as a distribution ships them
# (-n: no name or time stamp, so the bytes depend only on the text).
set(orvalen_compressed)
foreach(page orvalen-gen testorvalen expert-host)
  configure_file(${PROJECT_SOURCE_DIR}/dist/${page}.1.in ${PROJECT_BINARY_DIR}/dist/${page}.1 @ONLY)
  list(APPEND orvalen_compressed ${PROJECT_BINARY_DIR}/dist/${page}.1)
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/dist/changelog.in ${PROJECT_BINARY_DIR}/dist/changelog @ONLY)
list(APPEND orvalen_compressed ${PROJECT_BINARY_DIR}/dist/changelog)
set(orvalen_compressed_gz)
foreach(file ${orvalen_compressed})
  add_custom_command(OUTPUT ${file}.gz COMMAND gzip -9nkf ${file} DEPENDS ${file} VERBATIM)
  list(APPEND orvalen_compressed_gz ${file}.gz)
endforeach()
add_custom_target(orvalen_compressed_docs ALL DEPENDS ${orvalen_compressed_gz})
foreach(page orvalen-gen testorvalen expert-host)
  install(FILES ${PROJECT_BINARY_DIR}/dist/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/dist/copyright ${PROJECT_BINARY_DIR}/dist/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvalen)
# Found by bash-completion under the command's name, when the command is first completed.
install(FILES ${PROJECT_SOURCE_DIR}/dist/orvalen-gen.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME orvalen-gen)
install(FILES ${PROJECT_SOURCE_DIR}/dist/testorvalen.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/testorvalen.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The IDE package goes in as sources: the IDE compiles it into itself when a
# person installs it (Package > Install, or lazbuild --add-package ... --build-ide=).
list(TRANSFORM ORVALEN_LAZARUS_PACKAGE_FILES PREPEND ${PROJECT_SOURCE_DIR}/hosts/lazarus/
     OUTPUT_VARIABLE orvalen_lazarus_sources)
install(FILES ${orvalen_lazarus_sources} DESTINATION ${CMAKE_INSTALL_DATADIR}/orvalen/lazarus)

# The Debian package. dpkg-shlibdeps (dpkg-dev) works out what it depends on,
# run on the built programs and libraries by cmake/package_depends.cmake when
# cpack starts (the package's own libidemm.so has no dependency information,
# nor needs any). CPack's own run of it is left off: it would also add
# maintainer scripts calling ldconfig for the private libraries in lib/orvalen,
# which the dynamic linker never looks up by its cache.
set(orvalen_package_binaries)
foreach(target orvalen-gen testorvalen expert-host orvalen idemm)
  if(TARGET ${target})
    list(APPEND orvalen_package_binaries "$<TARGET_FILE:${target}>")
  endif()
endforeach()
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/CPackProjectConfig.cmake
     CONTENT "set(ORVALEN_PACKAGE_BINARIES \"${orvalen_package_binaries}\")
include(\"${PROJECT_SOURCE_DIR}/cmake/package_depends.cmake\")
")
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackProjectConfig.cmake)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvalen)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Orvalen developers <team@orvalen.dev>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "project wizard for Object Pascal MDI applications")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvalen asks what a new Windows MDI application should contain (menus,
document types, a speedbar, options) and writes its complete Object Pascal
source, ready to compile. It comes as a standalone wizard (testorvalen), an
expert module for an IDE (orvalen.so) with an IDE stand-in that loads it
(expert-host), the sources of a Lazarus IDE package that offers the wizard
under File > New... > Project, and a command-line generator for scripts
(orvalen-gen).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# The programs and libraries go in stripped; the symbols stay in the build.
set(CPACK_STRIP_FILES ON)
# The dialogs were laid out for Liberation Sans's metrics.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
# The IDE package is of use only with the Lazarus IDE and its sources.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "lazarus-ide-2.2, lazarus-src-2.2")
include(CPack)

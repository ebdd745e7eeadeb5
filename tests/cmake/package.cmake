# The Debian package: tests/package/package_test.sh makes it with cpack from
# this build and checks it unpacked. It needs dpkg-deb, dpkg-shlibdeps for the
# dependencies, lintian for the distribution's checks and desktop-file-validate
# for the desktop entry.
find_program(ORVALEN_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(ORVALEN_DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(ORVALEN_LINTIAN lintian)
if(NOT ORVALEN_DPKG_SHLIBDEPS OR NOT ORVALEN_DESKTOP_FILE_VALIDATE OR NOT ORVALEN_LINTIAN)
  message(FATAL_ERROR "dpkg-shlibdeps, lintian or desktop-file-validate not found: install "
                      "dpkg-dev, lintian and desktop-file-utils (scripts/setup.sh does)")
endif()

# What the package holds, below /usr: the programs and libraries that this
# build makes, and the files installed as they are.
set(orvalen_package_files share/man/man1/orvalen-gen.1.gz share/man/man1/testorvalen.1.gz
                          share/man/man1/expert-host.1.gz share/doc/orvalen/copyright
                          share/doc/orvalen/changelog.gz share/applications/testorvalen.desktop
                          share/icons/hicolor/scalable/apps/testorvalen.svg
                          share/bash-completion/completions/orvalen-gen)
foreach(file ${ORVALEN_LAZARUS_PACKAGE_FILES})
  list(APPEND orvalen_package_files share/orvalen/lazarus/${file})
endforeach()
foreach(program orvalen-gen testorvalen expert-host)
  if(TARGET ${program})
    list(APPEND orvalen_package_files bin/${program})
  endif()
endforeach()
if(TARGET orvalen)
  list(APPEND orvalen_package_files lib/orvalen/orvalen.so)
endif()
if(TARGET idemm)
  list(APPEND orvalen_package_files lib/orvalen/libidemm.so)
endif()

add_test(NAME debian_package
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/package/package_test.sh ${PROJECT_BINARY_DIR}
                 ${PROJECT_VERSION} $<TARGET_FILE:orvalen-gen> ${orvalen_package_files})
set_tests_properties(debian_package PROPERTIES LABELS package TIMEOUT 300)

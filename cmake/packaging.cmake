# Install rules and packages: a Debian package on POSIX, a zip from the
# Windows build. The package version is the one the banner shows, read from
# the driver so that the two never differ.
include(GNUInstallDirs)

file(STRINGS "${PROJECT_SOURCE_DIR}/src/driver/driver.h" version_line REGEX "kVersionText = \"")
string(REGEX REPLACE ".*kVersionText = \"([^\"]*)\".*" "\\1" CODETAL_VERSION_TEXT "${version_line}")
if(NOT CODETAL_VERSION_TEXT MATCHES "^[0-9][0-9A-Za-z.]*$")
  message(FATAL_ERROR "No version text found in src/driver/driver.h")
endif()

if(WIN32)
  # The zip unpacks into one folder: the program and its papers side by side.
  set(codetal_bin_dir .)
  set(codetal_doc_dir .)
  configure_file(packaging/RUN-ON-WINDOWS.txt "${PROJECT_BINARY_DIR}/RUN-ON-WINDOWS.txt" @ONLY
                 NEWLINE_STYLE CRLF)
  install(FILES "${PROJECT_BINARY_DIR}/RUN-ON-WINDOWS.txt" LICENSE DESTINATION .)
else()
  set(codetal_bin_dir ${CMAKE_INSTALL_BINDIR})
  set(codetal_doc_dir ${CMAKE_INSTALL_DOCDIR})
  # The plain page is for 'cmake --install'; the Debian package carries it
  # compressed, as Debian's policy asks, with its changelog and copyright.
  install(FILES doc/codetal.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT manpage)
  configure_file(packaging/changelog.in "${PROJECT_BINARY_DIR}/debian/changelog" @ONLY)
  set(debian_files "${PROJECT_BINARY_DIR}/debian/codetal.1.gz"
                   "${PROJECT_BINARY_DIR}/debian/changelog.gz")
  add_custom_command(
    OUTPUT ${debian_files}
    COMMAND sh -c "gzip -9nc \"$0\" > debian/codetal.1.gz" "${PROJECT_SOURCE_DIR}/doc/codetal.1"
    COMMAND sh -c "gzip -9nc debian/changelog > debian/changelog.gz"
    DEPENDS doc/codetal.1 "${PROJECT_BINARY_DIR}/debian/changelog"
    WORKING_DIRECTORY "${PROJECT_BINARY_DIR}" VERBATIM)
  add_custom_target(codetal_debian_files ALL DEPENDS ${debian_files})
  install(FILES "${PROJECT_BINARY_DIR}/debian/codetal.1.gz"
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT debian EXCLUDE_FROM_ALL)
  install(FILES "${PROJECT_BINARY_DIR}/debian/changelog.gz" packaging/copyright
          DESTINATION ${codetal_doc_dir} COMPONENT debian EXCLUDE_FROM_ALL)
endif()
install(TARGETS codetal RUNTIME DESTINATION ${codetal_bin_dir})
install(FILES README.md examples/Codetal.INI DESTINATION ${codetal_doc_dir})

set(CPACK_PACKAGE_NAME codetal)
set(CPACK_PACKAGE_VERSION ${CODETAL_VERSION_TEXT})
set(CPACK_PACKAGE_VENDOR "Codetal team")
set(CPACK_PACKAGE_CONTACT "Codetal team <sales@codetal.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "line and statement counts for Visual Basic 6 source")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://codetal.example/")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/packages")
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME codetal-${CODETAL_VERSION_TEXT}-windows-x64)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  # One package of the chosen components: the compressed page in place of
  # the plain one.
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_COMPONENTS_ALL Unspecified debian)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION devel)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The summary above is the synopsis line; this is the extended text.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "Codetal reads a Visual Basic 6 project group, project, module or wildcard
set of modules and writes Codetal.log: per module its total, code, comment
and blank lines and counts of seventeen statement kinds, with totals per
project and per group.")
endif()
include(CPack)

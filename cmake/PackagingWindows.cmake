# The Windows packages, made by CPack in the Windows build tree (`cpack`, or
# tools/package-windows.sh), both from the install rules below: the three programs, stripped,
# a short README.txt for Windows users and the licence, both with Windows line ends.
# - the zip, Tarnwick-<version>-win64.zip, all at its top level;
# - the installer, Tarnwick-<version>-setup.exe (NSIS, packaging/windows/NSIS.template.in):
#   per user without administrator rights, with a Start-menu shortcut and an Installed-apps
#   entry.
install(TARGETS tarnwick tarnwick-plan tarnwick-simstub RUNTIME DESTINATION .)

set(windows_docs ${CMAKE_BINARY_DIR}/package-docs)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in ${windows_docs}/README.txt
               @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${windows_docs}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${windows_docs}/README.txt ${windows_docs}/LICENSE.txt DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
# Packing builds nothing itself: tools/package-windows.sh builds the three programs first, and
# the tests need not be built to make the packages.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_PACKAGE_FILE_NAME Tarnwick-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)

# The installer: the project's own script in place of CPack's, which installs for all users.
# Its icon is tarnwick.exe's (drawn where tarnwick.exe is built), its licence page the
# licence with Windows line ends. The file name is set per generator, for the version that
# the run of cpack is given (packaging/windows/CPackOptions.cmake).
set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/packaging/windows)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/windows/CPackOptions.cmake)
set(CPACK_NSIS_MUI_ICON ${CMAKE_BINARY_DIR}/apps/tarnwick-win32/art/tarnwick.ico)
set(CPACK_RESOURCE_FILE_LICENSE ${windows_docs}/LICENSE.txt)

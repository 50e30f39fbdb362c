# The Windows zip (CPack ZIP, `cpack` in the Windows build tree, or tools/package-windows.sh):
# Tarnwick-<version>-win64.zip holding the three programs, stripped, a short README.txt for
# Windows users and the licence, both with Windows line ends, all at the top of the zip.
install(TARGETS tarnwick tarnwick-plan tarnwick-simstub RUNTIME DESTINATION .)

set(windows_docs ${CMAKE_BINARY_DIR}/package-docs)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in ${windows_docs}/README.txt
               @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${windows_docs}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${windows_docs}/README.txt ${windows_docs}/LICENSE.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
# Packing builds nothing itself: tools/package-windows.sh builds the three programs first, and
# the tests need not be built to make the zip.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_PACKAGE_FILE_NAME Tarnwick-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)

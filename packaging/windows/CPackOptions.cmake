# Per generator, read by cpack: the installer is named Tarnwick-<version>-setup.exe, for the
# version cpack is given (`cpack -D CPACK_PACKAGE_VERSION=...` stamps another).
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME Tarnwick-${CPACK_PACKAGE_VERSION}-setup)
else()
  set(CPACK_PACKAGE_FILE_NAME Tarnwick-${CPACK_PACKAGE_VERSION}-win64)
endif()

# The packages users install, made by CPack from the install rules (`cpack` in the build tree,
# or tools/package.sh): a Debian package on Linux, a zip on Windows. Both carry the licence.
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tarnwick founders")
set(CPACK_PACKAGE_CONTACT "${TARNWICK_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${TARNWICK_HOMEPAGE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fuel planner for the ATR 72-500")
# The long description, in lines short enough for a Debian control file.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Tarnwick plans the fuel and load of an ATR 72-500 for a flight-simulator\n"
  "pilot, who keeps it open beside the simulator. Every change to the trip and\n"
  "alternate legs, the payload or the fuel allowances recomputes the whole plan\n"
  "at once: trip and alternate fuel, the total and its split into the two wing\n"
  "tanks, the weights against the aircraft's limits and the six takeoff speeds.\n"
  "It reads the payload from the simulator and boards the planned fuel (X-Plane\n"
  "over UDP here, FSUIPC on Windows), and prints a one-page fuel and load sheet\n"
  "through the browser.\n"
  "tarnwick-plan drives the same plan from the command line, and\n"
  "tarnwick-simstub plays the simulator for trying the link without one.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/PackagingWindows.cmake)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # tarnwick_<version>_amd64.deb
  set(CPACK_DEBIAN_PACKAGE_SECTION misc)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # What dpkg-shlibdeps cannot see: Qt loads its platform plugins at run time (the library
  # package only recommends them), and the window's layout is drawn in the DejaVu fonts.
  # The browser that Print opens is reached through xdg-open.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core, fonts-dejavu-extra")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
endif()

include(CPack)

# CLI11 and nlohmann-json, both header-only, as the targets CLI11::CLI11 and
# nlohmann_json::nlohmann_json.
#
# A native build finds their CMake packages. A cross build takes the same headers from the build
# machine's Debian packages, but shows the compiler only their own folders (through links in the
# build tree): the rest of /usr/include is the build machine's C library and must never reach a
# cross compiler.
set(TARNWICK_HOST_INCLUDE_DIR /usr/include CACHE PATH
    "Where a cross build finds the CLI and nlohmann header folders")

function(tarnwick_header_only_from_host target folder)
  set(source ${TARNWICK_HOST_INCLUDE_DIR}/${folder})
  if(NOT IS_DIRECTORY ${source})
    message(FATAL_ERROR "${source} is missing: install libcli11-dev and nlohmann-json3-dev")
  endif()
  set(linked ${CMAKE_BINARY_DIR}/host-headers)
  file(MAKE_DIRECTORY ${linked})
  file(CREATE_LINK ${source} ${linked}/${folder} SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  # Include folders of an imported target are system folders: their warnings stay quiet.
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${linked})
endfunction()

if(CMAKE_CROSSCOMPILING)
  tarnwick_header_only_from_host(CLI11::CLI11 CLI)
  tarnwick_header_only_from_host(nlohmann_json::nlohmann_json nlohmann)
else()
  find_package(CLI11 REQUIRED)
  find_package(nlohmann_json REQUIRED)
endif()

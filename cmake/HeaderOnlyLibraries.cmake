# CLI11, nlohmann-json and Boost (Asio and Beast), all header-only, as the targets CLI11::CLI11,
# nlohmann_json::nlohmann_json and Boost::headers.
#
# A native build finds their CMake packages. A cross build takes the same headers from the build
# machine's Debian packages, but shows the compiler only their own folders (through links in the
# build tree): the rest of /usr/include is the build machine's C library and must never reach a
# cross compiler.
set(TARNWICK_HOST_INCLUDE_DIR /usr/include CACHE PATH
    "Where a cross build finds the CLI, nlohmann and boost header folders")

function(tarnwick_header_only_from_host target folder)
  set(source ${TARNWICK_HOST_INCLUDE_DIR}/${folder})
  if(NOT IS_DIRECTORY ${source})
    message(FATAL_ERROR "${source} is missing: install libcli11-dev, nlohmann-json3-dev and libboost-dev")
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
  tarnwick_header_only_from_host(Boost::headers boost)
else()
  find_package(CLI11 REQUIRED)
  find_package(nlohmann_json REQUIRED)
  find_package(Boost 1.74 REQUIRED)
endif()

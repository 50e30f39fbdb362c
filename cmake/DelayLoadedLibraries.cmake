# Windows system DLLs that the programs load only when they first call one of their functions,
# instead of at start: the shell (opening the print page) and Winsock's extensions (the print
# server's accepts) are needed only after a click, and each DLL loaded at start makes the window
# appear later. Winsock itself (ws2_32) is loaded at start in any case: Asio starts it up in a
# static initialiser.
#
# tarnwick_delay_loaded(<name> <dll>) makes the target tarnwick::delayed_<name>, to link in
# place of <name>. It is an import library of MinGW's delay-load kind, made with dlltool from
# the functions that the ordinary import library lib<name>.a names; the ordinary library stays
# behind it for the few things that are not imports (in6addr_any and the like). The delay-load
# helper (libdelayimp.a) loads the DLL on the first call and binds each function as it is
# called.
get_filename_component(tarnwick_mingw_bin "${CMAKE_CXX_COMPILER}" DIRECTORY)
find_program(TARNWICK_DLLTOOL NAMES ${TARNWICK_MINGW_TRIPLET}-dlltool dlltool
             HINTS "${tarnwick_mingw_bin}" REQUIRED)
find_program(TARNWICK_NM NAMES ${TARNWICK_MINGW_TRIPLET}-nm nm HINTS "${tarnwick_mingw_bin}"
             REQUIRED)

function(tarnwick_delay_loaded name dll)
  find_library(tarnwick_import_library_${name} NAMES lib${name}.a REQUIRED NO_CACHE)
  set(import_library "${tarnwick_import_library_${name}}")
  execute_process(COMMAND ${TARNWICK_NM} -g --defined-only "${import_library}"
                  OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
  # Every function of the DLL has an "__imp_<function>" pointer in the import library.
  string(REGEX MATCHALL " I __imp_[A-Za-z0-9_@?$]+" pointers "${symbols}")
  list(TRANSFORM pointers REPLACE " I __imp_" "")
  list(REMOVE_DUPLICATES pointers)
  list(JOIN pointers "\n  " exports)
  set(directory "${CMAKE_BINARY_DIR}/delay-loaded")
  file(MAKE_DIRECTORY "${directory}")
  file(WRITE "${directory}/${name}.def" "LIBRARY \"${dll}\"\nEXPORTS\n  ${exports}\n")
  execute_process(
    COMMAND ${TARNWICK_DLLTOOL} --input-def "${directory}/${name}.def" --dllname "${dll}"
            --output-delaylib "${directory}/lib${name}-delayed.a"
    COMMAND_ERROR_IS_FATAL ANY)
  add_library(tarnwick::delayed_${name} STATIC IMPORTED GLOBAL)
  set_target_properties(tarnwick::delayed_${name} PROPERTIES
    IMPORTED_LOCATION "${directory}/lib${name}-delayed.a"
    INTERFACE_LINK_LIBRARIES "delayimp;${name}")
endfunction()

tarnwick_delay_loaded(mswsock mswsock.dll)
tarnwick_delay_loaded(shell32 shell32.dll)

# The replay build of the fuzz targets: each kind of code is the ordinary libraries, each
# target an ordinary program whose main (ReplayMain.cpp) hands it the files it is given, and a
# CTest test over its seeds.
add_library(tarnwick_fuzz_core INTERFACE)
target_link_libraries(tarnwick_fuzz_core INTERFACE tarnwick_core)

add_library(tarnwick_fuzz_simlink INTERFACE)
target_link_libraries(tarnwick_fuzz_simlink INTERFACE tarnwick_simlink tarnwick_simstub
                      tarnwick_fake_ipc_port)

add_library(tarnwick_fuzz_xplane INTERFACE)
target_link_libraries(tarnwick_fuzz_xplane INTERFACE tarnwick_xplane_link tarnwick_xplane_stub
                      tarnwick_fake_xplane_port)

add_library(tarnwick_fuzz_print-site INTERFACE)
target_link_libraries(tarnwick_fuzz_print-site INTERFACE tarnwick_print_site)

add_library(tarnwick_fuzz_settings STATIC SettingsProperties.cpp)
target_link_libraries(tarnwick_fuzz_settings PUBLIC tarnwick_ui PRIVATE tarnwick_build_flags)

add_library(tarnwick_fuzz_plan INTERFACE)
target_link_libraries(tarnwick_fuzz_plan INTERFACE tarnwick_plan tarnwick_platform_stand_ins CLI11::CLI11
                      nlohmann_json::nlohmann_json)

# tarnwick_add_fuzz_target(<name> <source> <library> <seeds>): the target with the replay main,
# and its test over the seeds. Each seed runs in the one process, as under the fuzzer.
function(tarnwick_add_fuzz_target name source library seeds)
  add_executable(${name} ${source} ReplayMain.cpp)
  target_link_libraries(${name} PRIVATE ${library} tarnwick_build_flags)
  add_test(NAME FuzzSeeds.${name} COMMAND ${name} ${seeds})
endfunction()

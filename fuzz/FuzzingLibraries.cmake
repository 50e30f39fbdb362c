# The libFuzzer build of the fuzz targets: each kind of code again in one static library,
# compiled with coverage instrumentation so that the fuzzer is guided by the branches it reaches
# inside it, and each target a libFuzzer program.
set(tarnwick_fuzz_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)

# tarnwick_fuzzing_library(<name> <targets...>): the sources of the targets again in one static
# library, instrumented for the fuzzer.
function(tarnwick_fuzzing_library name)
  set(sources)
  foreach(target IN LISTS ARGN)
    get_target_property(target_sources ${target} SOURCES)
    get_target_property(target_dir ${target} SOURCE_DIR)
    list(TRANSFORM target_sources PREPEND "${target_dir}/")
    list(APPEND sources ${target_sources})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer-no-link ${tarnwick_fuzz_sanitizers})
  target_link_libraries(${name} PRIVATE tarnwick_build_flags)
endfunction()

# tarnwick_add_fuzz_target(<name> <source> <library> <seeds>): one libFuzzer program, with the
# sanitizer defaults of FuzzSanitizerOptions.cpp. tools/fuzz-long.sh finds its seeds.
function(tarnwick_add_fuzz_target name source library seeds)
  add_executable(${name} ${source} ${PROJECT_SOURCE_DIR}/fuzz/FuzzSanitizerOptions.cpp)
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer ${tarnwick_fuzz_sanitizers})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer ${tarnwick_fuzz_sanitizers})
  target_link_libraries(${name} PRIVATE ${library} tarnwick_build_flags)
endfunction()

# core: the planning core, for the weight texts.
tarnwick_fuzzing_library(tarnwick_fuzz_core tarnwick_core)

# simlink: the IPC client with the fake port and its substitute simulator.
tarnwick_fuzzing_library(tarnwick_fuzz_simlink tarnwick_simlink tarnwick_simstub
                         tarnwick_fake_ipc_port)

# xplane: the X-Plane link with the fake network and its substitute X-Plane.
tarnwick_fuzzing_library(tarnwick_fuzz_xplane tarnwick_xplane_link tarnwick_xplane_stub
                         tarnwick_fake_xplane_port)

# print-site: the print site's request handling (the server's parser and answer, no sockets).
add_library(tarnwick_fuzz_print-site STATIC ${PROJECT_SOURCE_DIR}/print/LoopbackAddress.cpp
                                            ${PROJECT_SOURCE_DIR}/print/SiteFiles.cpp
                                            ${PROJECT_SOURCE_DIR}/print/SiteResponse.cpp)
add_dependencies(tarnwick_fuzz_print-site tarnwick_print_site)
target_include_directories(tarnwick_fuzz_print-site PUBLIC ${PROJECT_SOURCE_DIR}
                           PRIVATE ${CMAKE_BINARY_DIR}/print/generated)
target_compile_options(tarnwick_fuzz_print-site PRIVATE -fsanitize=fuzzer-no-link
                       ${tarnwick_fuzz_sanitizers})
target_link_libraries(tarnwick_fuzz_print-site PUBLIC Boost::headers PRIVATE tarnwick_build_flags)

# settings: the window model with its settings, and the properties its targets share.
tarnwick_fuzzing_library(tarnwick_ui_fuzzing tarnwick_core tarnwick_ui)
add_library(tarnwick_fuzz_settings STATIC SettingsProperties.cpp)
target_link_libraries(tarnwick_fuzz_settings PUBLIC tarnwick_ui_fuzzing
                      PRIVATE tarnwick_build_flags)
target_compile_options(tarnwick_fuzz_settings PRIVATE ${tarnwick_fuzz_sanitizers})

# plan: tarnwick-plan run in process on the stand-in platform.
tarnwick_fuzzing_library(tarnwick_fuzz_plan tarnwick_core tarnwick_ui tarnwick_simlink
                         tarnwick_xplane_link tarnwick_simstub tarnwick_fake_ipc_port
                         tarnwick_xplane_stub tarnwick_fake_xplane_port tarnwick_print
                         tarnwick_commands tarnwick_platform tarnwick_plan
                         tarnwick_platform_stand_ins)
target_sources(tarnwick_fuzz_plan PRIVATE ${PROJECT_SOURCE_DIR}/print/LoopbackAddress.cpp)
target_link_libraries(tarnwick_fuzz_plan PUBLIC CLI11::CLI11 nlohmann_json::nlohmann_json
                      Boost::headers)

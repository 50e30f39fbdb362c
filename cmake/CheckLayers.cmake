cmake_minimum_required(VERSION 3.25)

# Checks that every project #include points to the including folder's own layer or to one below
# it. Run as a script:
#   cmake -DSOURCE_DIR=<tree> -P cmake/CheckLayers.cmake
# It prints each include that points upwards or sideways and fails when there is one.
#
# The layers, from the bottom: the planning core; the window model and its layout; the simulator
# link and the print URL; the substitute simulator; the commands that join the window to the
# link and to print; the front-ends; the platform services the programs are composed from
# (apps/platform); the programs. Nothing below apps/ includes an apps/ header. Tests, benchmarks
# and fuzz targets may reach everything.

# Each room with the rooms its files may include besides its own. Longer paths come first, so a
# file is judged by the most specific room it lies in.
set(layer_rooms ui/qt ui/win32 ui/qtsystem core ui simlink print simstub commands apps/platform
    apps)
set(allowed_core "")
set(allowed_ui core)
set(allowed_simlink "")
set(allowed_print ui core)
set(allowed_simstub simlink)
set(allowed_commands simlink print ui core)
set(allowed_ui/qtsystem ui core)
set(allowed_ui/qt ui core)
set(allowed_ui/win32 commands simlink print ui core)
set(allowed_apps/platform ui/qt ui/win32 ui/qtsystem commands simstub simlink print ui core)
set(allowed_apps apps/platform ui/qt ui/win32 ui/qtsystem commands simstub simlink print ui core)
set(unchecked_folders tests bench fuzz)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "Give the tree to check: -DSOURCE_DIR=<folder>")
endif()

# The room a path relative to the tree lies in, or "" when it lies in none.
function(room_of path out)
  foreach(room IN LISTS layer_rooms)
    if(path MATCHES "^${room}/")
      set(${out} ${room} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out} "" PARENT_SCOPE)
endfunction()

set(violations 0)
set(checked 0)
foreach(room IN LISTS layer_rooms)
  file(GLOB_RECURSE room_files RELATIVE ${SOURCE_DIR}
       ${SOURCE_DIR}/${room}/*.h ${SOURCE_DIR}/${room}/*.cpp)
  foreach(file IN LISTS room_files)
    room_of(${file} file_room)
    if(NOT file_room STREQUAL room)
      continue()  # a file of a more specific room, checked there
    endif()
    math(EXPR checked "${checked} + 1")
    file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" target "${line}")
      if(NOT target MATCHES "/")
        continue()  # a header beside the file
      endif()
      room_of(${target} target_room)
      if(target_room STREQUAL "")
        string(REGEX MATCH "^[^/]+" top "${target}")
        if(top IN_LIST unchecked_folders)
          message("${file}: includes ${target}, which no program code may use")
          math(EXPR violations "${violations} + 1")
        endif()
        continue()  # a generated or system header
      endif()
      if(target_room STREQUAL room OR target_room IN_LIST allowed_${room})
        continue()
      endif()
      message("${file}: includes ${target}, a layer that ${room}/ must not reach")
      math(EXPR violations "${violations} + 1")
    endforeach()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "No source file found under ${SOURCE_DIR}")
endif()
if(violations GREATER 0)
  message(FATAL_ERROR "${violations} include(s) against the layers")
endif()
message(STATUS "Layers hold: ${checked} files checked")

# Warnings and sanitizers for every target of the project, applied through one interface library.
add_library(tarnwick_build_flags INTERFACE)
target_compile_options(tarnwick_build_flags INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
  -Wnon-virtual-dtor -Woverloaded-virtual)
if(TARNWICK_WERROR)
  target_compile_options(tarnwick_build_flags INTERFACE -Werror)
endif()
if(TARNWICK_SANITIZE)
  set(sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(tarnwick_build_flags INTERFACE ${sanitizers})
  target_link_options(tarnwick_build_flags INTERFACE ${sanitizers})
endif()

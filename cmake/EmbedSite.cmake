# Writes a C++ header that holds files as byte arrays, so that a program carries them inside
# itself. Run as a script at build time:
#   cmake -DOUTPUT=<header> -DNAMESPACE=<ns> -DFILES="<name>=<path>|..." -P EmbedSite.cmake
# The header defines, in NAMESPACE, an array kEmbeddedFiles of {name, bytes, size}.
cmake_minimum_required(VERSION 3.25)

string(REPLACE "|" ";" FILES "${FILES}")
set(arrays "")
set(entries "")
set(index 0)
foreach(pair IN LISTS FILES)
  string(FIND "${pair}" "=" split)
  string(SUBSTRING "${pair}" 0 ${split} name)
  math(EXPR pathStart "${split} + 1")
  string(SUBSTRING "${pair}" ${pathStart} -1 path)
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR size "${hexLength} / 2")
  # Sixteen bytes a line; a trailing 0 keeps an empty file a valid array.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){16})" "\\1\n  " bytes "${bytes}")
  string(APPEND arrays "inline constexpr unsigned char kFile${index}[] = {\n  ${bytes}0};\n")
  string(APPEND entries "    {\"${name}\", kFile${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()

set(content "#pragma once
// Generated at build time by cmake/EmbedSite.cmake; edit the files it was made from.
#include <cstddef>

namespace ${NAMESPACE} {

struct EmbeddedFile {
  const char* name;
  const unsigned char* bytes;
  std::size_t size;
};

${arrays}
inline constexpr EmbeddedFile kEmbeddedFiles[] = {
${entries}};

}  // namespace ${NAMESPACE}
")
# Only a changed header is written, so that an unchanged site rebuilds nothing.
file(CONFIGURE OUTPUT "${OUTPUT}" CONTENT "${content}" @ONLY)

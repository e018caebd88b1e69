# Writes the help pages as byte arrays into one C++ source, so that the
# program needs no file at run time to show them.
#   cmake -DPAGES_DIR=... -DOUTPUT=... -P embed_pages.cmake
set(source "// Generated from the help pages; do not edit.\n#include <string_view>\n\nnamespace quorvel::pages {\n")
foreach(page instructions hints gcdlcm)
  file(READ "${PAGES_DIR}/${page}.html" bytes HEX)
  string(LENGTH "${bytes}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${bytes}")
  string(APPEND source "static const char k_${page}[] = {${bytes}};\n"
                       "extern const std::string_view ${page}(k_${page}, ${size});\n")
endforeach()
string(APPEND source "}  // namespace quorvel::pages\n")
file(WRITE "${OUTPUT}.new" "${source}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)

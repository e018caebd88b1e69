# Writes a script as a character array into one C++ header, so that the view
# needs no file at run time to run it.
#   cmake -DINPUT=<script> -DNAME=<array name> -DOUTPUT=<header> -P embed_script.cmake
get_filename_component(source "${INPUT}" NAME)
file(READ "${INPUT}" bytes HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${bytes}")
file(WRITE "${OUTPUT}.new"
     "// Generated from ${source}; do not edit.\n#pragma once\n\n"
     "namespace quorvel {\ninline constexpr char ${NAME}[] = {${bytes}'\\0'};\n}  // namespace quorvel\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)

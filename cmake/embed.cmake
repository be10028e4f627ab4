# SPDX-License-Identifier: GPL-3.0-or-later
# Turns one file into a C++ source holding its bytes as an array, run at
# build time by add_custom_command:
#   cmake -DINPUT=f -DOUTPUT=f.cpp -DNAME=gc_acX -DSIZE_NAME=gc_uiX_SIZE -DTYPE=char|uint16_t
#         -P embed.cmake
# TYPE char adds a terminating zero, so a text file becomes a C string; the
# size constant counts the file's bytes either way.
file(READ "${INPUT}" HEX HEX)
string(LENGTH "${HEX}" HEX_LENGTH)
math(EXPR SIZE "${HEX_LENGTH} / 2")
if(TYPE STREQUAL "char")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," BYTES "${HEX}")
  string(REGEX REPLACE "(('\\\\x..',){16})" "\\1\n" BYTES "${BYTES}")
  math(EXPR COUNT "${SIZE} + 1")
  set(BYTES "${BYTES}'\\0'")
else()
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," BYTES "${HEX}")
  string(REGEX REPLACE "((0x..,){16})" "\\1\n" BYTES "${BYTES}")
  set(COUNT ${SIZE})
endif()
file(WRITE "${OUTPUT}"
  "// Generated at build time from ${INPUT}; edit that file instead.\n"
  "#include <cstddef>\n#include <cstdint>\n\n"
  "extern const ${TYPE} ${NAME}[${COUNT}];\n"
  "extern const std::size_t ${SIZE_NAME};\n"
  "const ${TYPE} ${NAME}[${COUNT}] = {\n${BYTES}};\n"
  "const std::size_t ${SIZE_NAME} = ${SIZE};\n")

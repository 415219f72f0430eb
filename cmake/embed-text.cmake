# Write a text file of the source tree (the page's style sheet or script) as a C++ header
# that defines NAME as its exact text, one string literal a line, so that the source stays
# a plain .css or .js file. Only printable ASCII, tabs and LF line ends can be embedded
# (the page is Shift-JIS, of which ASCII is a part), and nothing that would end the
# element the text stands in.
#   cmake -DSOURCE=... -DOUTPUT=... -DNAME=... -P embed-text.cmake
file(READ "${SOURCE}" text)
get_filename_component(file "${SOURCE}" NAME)
if(text MATCHES "[^\t\n -~]")
  message(FATAL_ERROR "${SOURCE}: only printable ASCII, tabs and LF line ends can be embedded")
endif()
string(TOLOWER "${text}" lower)
if(lower MATCHES "</(style|script)|<!--")
  message(FATAL_ERROR "${SOURCE}: holds a closing tag or a comment opener that would end the page's element")
endif()
string(REPLACE "\\" "\\\\" text "${text}")
string(REPLACE "\"" "\\\"" text "${text}")
string(REPLACE "\n" "\\n\"\n    \"" text "${text}")
file(WRITE "${OUTPUT}.part" "// ${file}, embedded as it is when the program is built.\n#pragma once\n\ninline constexpr char ${NAME}[] =\n    \"${text}\";\n")
file(RENAME "${OUTPUT}.part" "${OUTPUT}")

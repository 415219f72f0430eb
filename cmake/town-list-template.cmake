# Write the town list template: 224 lines, the first "町223" and the last "町0", in Shift-JIS
# with CR LF, as Notepad on a Japanese Windows saves a townlist.txt. Renamed townlist.txt, it
# shows every town by its number; a player then writes in the names as they learn them.
#   cmake -DICONV=... -DOUTPUT=... -P town-list-template.cmake
set(text "")
foreach(line RANGE 1 224)
  math(EXPR town "224 - ${line}")
  string(APPEND text "町${town}\n")
endforeach()
set(SOURCE "${OUTPUT}.utf8")
file(WRITE "${SOURCE}" "${text}")
include("${CMAKE_CURRENT_LIST_DIR}/shift-jis-text.cmake")
file(REMOVE "${SOURCE}")

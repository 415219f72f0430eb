# Turn a UTF-8 text file with LF line ends into Shift-JIS (code page 932) with CR LF, the
# form Notepad on any Japanese Windows opens as it is. A character that Shift-JIS lacks
# fails the build.
#   cmake -DICONV=... -DSOURCE=... -DOUTPUT=... -P shift-jis-text.cmake
file(READ "${SOURCE}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUTPUT}.crlf" "${text}")
execute_process(COMMAND "${ICONV}" -f UTF-8 -t CP932
                INPUT_FILE "${OUTPUT}.crlf" OUTPUT_FILE "${OUTPUT}.part"
                RESULT_VARIABLE failed ERROR_VARIABLE why)
file(REMOVE "${OUTPUT}.crlf")
if(failed)
  file(REMOVE "${OUTPUT}.part")
  message(FATAL_ERROR "${SOURCE} has no Shift-JIS form: ${why}")
endif()
file(RENAME "${OUTPUT}.part" "${OUTPUT}")

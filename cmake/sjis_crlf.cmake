# Writes a UTF-8 text (LF line ends) as Shift-JIS with CR LF, the form the
# documents beside Hopdeck.exe are read in. Run with cmake -P:
#   -DICONV=path -DINPUT=source.txt -DOUTPUT=target.txt
file(READ "${INPUT}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
get_filename_component(name "${OUTPUT}" NAME)
set(crlf "${OUTPUT}.utf8")
file(WRITE "${crlf}" "${text}")
execute_process(COMMAND "${ICONV}" -f UTF-8 -t CP932 "${crlf}"
  OUTPUT_FILE "${OUTPUT}" RESULT_VARIABLE failed ERROR_VARIABLE message)
file(REMOVE "${crlf}")
if(failed)
  file(REMOVE "${OUTPUT}")
  message(FATAL_ERROR "${name}: not convertible to Shift-JIS: ${message}")
endif()

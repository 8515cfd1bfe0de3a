# Writes the core's WebAssembly (CORE) into a script (TARGET) that holds it compressed by gzip as
# Base64 text, `const ramkaCore = "…";`, for the page to unpack; the same bytes at every build:
# gzip keeps no name or time of the file.
# Arguments: CORE, TARGET.
execute_process(COMMAND sh -c "gzip -9 -n -c '${CORE}' | base64 -w 0" OUTPUT_VARIABLE packed
                RESULT_VARIABLE failed)
if(failed OR packed STREQUAL "")
  message(FATAL_ERROR "could not pack ${CORE}")
endif()
file(WRITE "${TARGET}" "\"use strict\";\nconst ramkaCore = \"${packed}\";\n")

# The program file as a user downloads it: a 64-bit Windows GUI program of at most 400 KB that
# imports only DLLs that every Windows has, carries its icon, version record and manifest, and is
# hardened: high-entropy address randomisation, no executable data, terminal-server aware.
# Arguments: OBJDUMP, WINDRES, PROGRAM.
file(SIZE "${PROGRAM}" size)
if(size GREATER 409600)
  message(FATAL_ERROR "${PROGRAM} takes ${size} bytes, more than 400 KB")
endif()
execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}" OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objdump could not read ${PROGRAM}")
endif()
include("${CMAKE_CURRENT_LIST_DIR}/../require_text.cmake")
require_text("${headers}" "The program's headers" "file format pei-x86-64" "(Windows GUI)"
             "HIGH_ENTROPY_VA" "DYNAMIC_BASE" "NX_COMPAT" "TERMINAL_SERVICE_AWARE")
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
foreach(import IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${import}")
  string(TOUPPER "${dll}" dll)
  if(NOT dll MATCHES "^(KERNEL32|USER32|GDI32|COMCTL32|MSVCRT)\\.DLL$")
    message(FATAL_ERROR "${PROGRAM} imports ${dll}, which not every Windows has")
  endif()
endforeach()
execute_process(COMMAND "${WINDRES}" -i "${PROGRAM}" -O rc OUTPUT_VARIABLE resources)
require_text("${resources}" "The program's resources" "RT_GROUP_ICON" "BLOCK \"040904B0\""
             "VALUE \"FileVersion\", \"1.00\"" "RT_MANIFEST")
message(STATUS "${PROGRAM}: ${size} bytes; ${imports}")

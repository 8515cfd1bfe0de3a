# The program file as a user downloads it: a Windows GUI program for its processor (ARCH: x64 or
# x86, with a manifest that names the same one) of at most 512 KB (64-bit) or 600 KB (32-bit,
# whose code takes more room), that imports only DLLs that every Windows has and only functions that Windows 7 already has (IMPORTS lists them),
# carries its icon, version record and manifest, and is hardened: address randomisation (at a
# high entropy on 64-bit), no executable data, terminal-server aware.
# Arguments: OBJDUMP, WINDRES, ARCH, IMPORTS, PROGRAM.
cmake_policy(VERSION 3.25)
file(SIZE "${PROGRAM}" size)
if(ARCH STREQUAL "x86")
  set(most 600)
else()
  set(most 512)
endif()
math(EXPR most_bytes "${most} * 1024")
if(size GREATER most_bytes)
  message(FATAL_ERROR "${PROGRAM} takes ${size} bytes, more than ${most} KB")
endif()
execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}" OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objdump could not read ${PROGRAM}")
endif()
include("${CMAKE_CURRENT_LIST_DIR}/../require_text.cmake")
if(ARCH STREQUAL "x64")
  require_text("${headers}" "The program's headers" "file format pei-x86-64" "HIGH_ENTROPY_VA")
  set(manifest_arch amd64)
elseif(ARCH STREQUAL "x86")
  require_text("${headers}" "The program's headers" "file format pei-i386")
  set(manifest_arch x86)
else()
  message(FATAL_ERROR "ARCH is '${ARCH}', not x64 or x86")
endif()
require_text("${headers}" "The program's headers" "(Windows GUI)" "DYNAMIC_BASE" "NX_COMPAT"
             "TERMINAL_SERVICE_AWARE")

# Every function imported by name, as DLL!function, against the list of those that Windows 7
# has; a function that only a later Windows has must be looked up as the program runs.
file(STRINGS "${IMPORTS}" allowed REGEX "^[^#]")
set(dll "")
set(imported 0)
string(REPLACE "\n" ";" lines "${headers}")
foreach(line IN LISTS lines)
  if(line MATCHES "DLL Name: (.+)$")
    string(TOUPPER "${CMAKE_MATCH_1}" dll)
    if(NOT dll MATCHES "^(KERNEL32|USER32|GDI32|COMCTL32|COMDLG32|MSVCRT)\\.DLL$")
      message(FATAL_ERROR "${PROGRAM} imports ${dll}, which not every Windows has")
    endif()
  elseif(dll AND line MATCHES "^\t[0-9a-f]+[ \t]+[0-9]+[ \t]+([A-Za-z_][A-Za-z0-9_]*)$")
    math(EXPR imported "${imported} + 1")
    if(NOT "${dll}!${CMAKE_MATCH_1}" IN_LIST allowed)
      message(FATAL_ERROR "${PROGRAM} imports ${dll}!${CMAKE_MATCH_1}, which is not among the "
                          "functions known to be in Windows 7 (${IMPORTS})")
    endif()
  elseif(line STREQUAL "")
    set(dll "")
  endif()
endforeach()
if(imported LESS 20)
  message(FATAL_ERROR "only ${imported} imported functions were read from ${PROGRAM}'s headers")
endif()

execute_process(COMMAND "${WINDRES}" -i "${PROGRAM}" -O rc OUTPUT_VARIABLE resources)
require_text("${resources}" "The program's resources" "RT_GROUP_ICON" "BLOCK \"040904B0\""
             "VALUE \"FileVersion\", \"1.00\"" "RT_MANIFEST")
# Windows refuses to start a program whose manifest names another processor.
file(STRINGS "${PROGRAM}" identity REGEX "name=\"org\\.example\\.ramka\"")
require_text("${identity}" "The manifest's identity" "processorArchitecture=\"${manifest_arch}\"")
message(STATUS "${PROGRAM}: ${size} bytes, ${ARCH}, ${imported} functions imported")

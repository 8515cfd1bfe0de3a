# Compiles the Windows resource script with windres and reads the result back: the version
# record must say 1.00 in the U.S. English / Unicode block, and the icon and the manifest must be
# in it.
# Arguments: WINDRES, RC, WORK.
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${WINDRES}" --preprocessor=cpp "${RC}" -O coff -o "${WORK}/ramka_rc.o"
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "windres could not compile ${RC} to an object file")
endif()
execute_process(COMMAND "${WINDRES}" --preprocessor=cpp "${RC}" -O res -o "${WORK}/ramka.res"
                RESULT_VARIABLE failed)
execute_process(COMMAND "${WINDRES}" -i "${WORK}/ramka.res" -O rc OUTPUT_VARIABLE script
                RESULT_VARIABLE failed_back)
if(failed OR failed_back)
  message(FATAL_ERROR "windres could not compile ${RC} and read it back")
endif()
include("${CMAKE_CURRENT_LIST_DIR}/require_text.cmake")
require_text("${script}" "The compiled resources"
  "FILEVERSION 1, 0, 0, 0" "PRODUCTVERSION 1, 0, 0, 0" "BLOCK \"040904B0\""
  "VALUE \"FileVersion\", \"1.00\"" "VALUE \"ProductVersion\", \"1.00\""
  "VALUE \"Translation\", 0x409, 1200" "RT_GROUP_ICON" "1 24 /* RT_MANIFEST */")

# The program check must fail on a program file that is broken: here a copy of PROGRAM without
# its resources (no icon, version record or manifest). Passes only when check_program.cmake
# refuses the copy for that reason.
# Arguments: those of check_program.cmake, and OBJCOPY and WORK.
file(MAKE_DIRECTORY "${WORK}")
set(broken "${WORK}/without-resources.exe")
execute_process(COMMAND "${OBJCOPY}" --remove-section=.rsrc "${PROGRAM}" "${broken}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objcopy could not copy ${PROGRAM} without its resources")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -DOBJDUMP=${OBJDUMP} -DWINDRES=${WINDRES} -DARCH=${ARCH}
                        -DIMPORTS=${IMPORTS} -DPROGRAM=${broken}
                        -P "${CMAKE_CURRENT_LIST_DIR}/check_program.cmake"
                RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT failed)
  message(FATAL_ERROR "check_program.cmake accepted ${broken}, which has no resources")
endif()
if(NOT out MATCHES "lacks RT_GROUP_ICON")
  message(FATAL_ERROR "check_program.cmake refused ${broken} for another reason:\n${out}")
endif()
message(STATUS "check_program.cmake refuses a copy without resources")

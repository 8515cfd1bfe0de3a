# Installs the program into a fresh prefix and checks that the program, its desktop file and its
# icon land where a Linux desktop looks for them. Arguments: BUILD, PREFIX.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()
foreach(file bin/ramka share/applications/ramka.desktop share/icons/hicolor/32x32/apps/ramka.png)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "${file} was not installed")
  endif()
endforeach()
file(READ "${PREFIX}/share/applications/ramka.desktop" desktop)
if(NOT desktop MATCHES "\nExec=ramka\n" OR NOT desktop MATCHES "\nIcon=ramka\n")
  message(FATAL_ERROR "The desktop file does not start the installed program with its icon")
endif()

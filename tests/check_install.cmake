# Installs the program into a fresh prefix and checks that the program, its desktop file,
# metadata, icons, manual page and licence land where a Linux desktop and Debian look for them,
# and that desktop-file-validate and appstreamcli accept what was installed.
# Arguments: BUILD, PREFIX, APP_ID.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()
set(desktop share/applications/${APP_ID}.desktop)
set(metainfo share/metainfo/${APP_ID}.metainfo.xml)
foreach(file bin/ramka ${desktop} ${metainfo} share/man/man1/ramka.1.gz share/doc/ramka/copyright
        share/doc/ramka/changelog.gz share/icons/hicolor/32x32/apps/ramka.png
        share/icons/hicolor/64x64/apps/ramka.png share/icons/hicolor/128x128/apps/ramka.png
        share/icons/hicolor/256x256/apps/ramka.png)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "${file} was not installed")
  endif()
endforeach()
file(READ "${PREFIX}/${desktop}" entry)
if(NOT entry MATCHES "\nExec=ramka\n" OR NOT entry MATCHES "\nIcon=ramka\n")
  message(FATAL_ERROR "The desktop file does not start the installed program with its icon")
endif()
foreach(check "desktop-file-validate;${PREFIX}/${desktop}"
        "appstreamcli;validate;--no-net;${PREFIX}/${metainfo}")
  execute_process(COMMAND ${check} RESULT_VARIABLE failed OUTPUT_VARIABLE said ERROR_VARIABLE said)
  if(failed OR said MATCHES "(^|\n)[EW]: |error|warning")
    message(FATAL_ERROR "${check} does not pass clean:\n${said}")
  endif()
endforeach()

# Builds the Debian package with cpack and checks what it says of itself and what it holds.
# Arguments: CONFIG (CPackConfig.cmake), WORK.
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND cpack -G DEB --config "${CONFIG}" -B "${WORK}" RESULT_VARIABLE failed
                OUTPUT_QUIET)
file(GLOB packages "${WORK}/*.deb")
if(failed OR NOT packages)
  message(FATAL_ERROR "cpack -G DEB built no package")
endif()
execute_process(COMMAND dpkg-deb --info ${packages} OUTPUT_VARIABLE info)
execute_process(COMMAND dpkg-deb --contents ${packages} OUTPUT_VARIABLE contents)
foreach(expected "Package: ramka" "Version: 1.00" "libqt6widgets6" "fonts-liberation2")
  string(FIND "${info}" "${expected}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "The package lacks ${expected}:\n${info}")
  endif()
endforeach()
foreach(expected "./usr/bin/ramka" "./usr/share/applications/ramka.desktop"
                 "./usr/share/icons/hicolor/32x32/apps/ramka.png")
  string(FIND "${contents}" "${expected}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "The package does not hold ${expected}:\n${contents}")
  endif()
endforeach()

# Builds the Debian package with cpack and checks what it says of itself and what it holds, and
# that lintian finds no error and no warning in it.
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
include("${CMAKE_CURRENT_LIST_DIR}/require_text.cmake")
require_text("${info}" "The package's description"
  "Package: ramka" "Version: 1.00" "libqt6widgets6" "fonts-liberation2" "qt6-translations-l10n")
require_text("${contents}" "The package's contents"
  "./usr/bin/ramka" "./usr/share/applications/" "./usr/share/metainfo/"
  "./usr/share/icons/hicolor/32x32/apps/ramka.png" "./usr/share/man/man1/ramka.1.gz"
  "./usr/share/doc/ramka/copyright" "./usr/share/doc/ramka/changelog.gz")
execute_process(COMMAND lintian ${packages} OUTPUT_VARIABLE said ERROR_VARIABLE ignored)
if(said MATCHES "(^|\n)[EW]: ")
  message(FATAL_ERROR "lintian finds faults in the package:\n${said}")
endif()

# Writes the page's script or stylesheet (SOURCE) to TARGET without what only its reader needs:
# comments, indentation and empty lines. The script's comments stand on lines of their own or
# after two blanks; no string or template of it holds "//" after a blank.
file(READ "${SOURCE}" text)
if(SOURCE MATCHES "\\.css$")
  string(REGEX REPLACE "/\\*[^*]*\\*+([^/*][^*]*\\*+)*/" "" text "${text}")
else()
  string(REGEX REPLACE "\n[ \t]*//[^\n]*" "" text "${text}")
  string(REGEX REPLACE "  // [^\n]*" "" text "${text}")
endif()
string(REGEX REPLACE "\n[ \t]+" "\n" text "${text}")
string(REGEX REPLACE "\n\n+" "\n" text "${text}")
file(WRITE "${TARGET}" "${text}")

# The language's reference in README.md is the help the program shows: the section under "###
# Какво може езикът", its "####" headings read as plain lines, holds exactly the text of
# src/language/help.cpp.
file(READ "${SOURCE}/src/language/help.cpp" code)
string(FIND "${code}" "R\"help(" begin)
string(FIND "${code}" ")help\"" end)
math(EXPR begin "${begin} + 7")
math(EXPR length "${end} - ${begin}")
string(SUBSTRING "${code}" ${begin} ${length} help)

file(READ "${SOURCE}/README.md" readme)
string(FIND "${readme}" "### Какво може езикът\n\n" begin)
if(begin EQUAL -1)
  message(FATAL_ERROR "README.md has no section \"### Какво може езикът\"")
endif()
string(SUBSTRING "${readme}" ${begin} -1 section)
string(LENGTH "### Какво може езикът\n\n" heading)
string(SUBSTRING "${section}" ${heading} -1 section)
string(FIND "${section}" "\n\n## " end)
string(SUBSTRING "${section}" 0 ${end} section)
string(REGEX REPLACE "(^|\n)#### " "\\1" section "${section}")
if(NOT section STREQUAL help)
  file(WRITE "${WORK}/readme-help.txt" "${section}")
  file(WRITE "${WORK}/program-help.txt" "${help}")
  message(FATAL_ERROR "README.md's reference differs from the program's help; compare "
                      "${WORK}/readme-help.txt with ${WORK}/program-help.txt")
endif()

# Builds the Windows Installer package PACKAGE from the program PROGRAM: wixl makes it from the
# WiX source WXS with the program and the ICON beside it, dated SOURCE_DATE_EPOCH; msi_texts
# (TEXTS_TOOL, under Wine) writes the Bulgarian texts of TEXTS into it with a package code made
# from its inputs; msi-scrub (SCRUB) zeroes what the rewrite left of the old bytes. The same
# inputs give the same package, byte for byte.
# Arguments: PROGRAM, ICON, WXS, TEXTS, TEXTS_TOOL, WINE, SCRUB, WORK, PACKAGE, ARCH (x64 or x86),
# SOURCE_DIR.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
else()  # the time of the last commit
  execute_process(COMMAND git -C "${SOURCE_DIR}" log -1 --format=%ct OUTPUT_VARIABLE epoch
                  OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
  if(failed OR epoch STREQUAL "")
    set(epoch 0)
  endif()
endif()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
foreach(input PROGRAM ICON WXS TEXTS)
  file(COPY "${${input}}" DESTINATION "${WORK}")
  get_filename_component(name "${${input}}" NAME)
  execute_process(COMMAND touch -d "@${epoch}" "${WORK}/${name}")
endforeach()

# The package code names this package's contents: a hash of its inputs, as a GUID.
set(inputs "")
foreach(input PROGRAM ICON WXS TEXTS)
  file(SHA256 "${${input}}" sum)
  string(APPEND inputs "${sum}")
endforeach()
string(SHA256 sum "${inputs}${epoch}")
string(TOUPPER "${sum}" sum)
string(REGEX REPLACE "^(........)(....).(...).(...)(............).*$" "{\\1-\\2-4\\3-8\\4-\\5}"
       package_code "${sum}")

get_filename_component(wxs "${WXS}" NAME)
get_filename_component(texts "${TEXTS}" NAME)
set(msi "${WORK}/package.msi")
execute_process(COMMAND wixl --arch ${ARCH} -o "${msi}" "${wxs}" WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE failed ERROR_VARIABLE errors)
if(failed)
  message(FATAL_ERROR "wixl could not build the package:\n${errors}")
endif()
execute_process(COMMAND "${WINE}" "${TEXTS_TOOL}" package.msi "${texts}" "${package_code}" "${epoch}"
                WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "msi_texts could not finish the package")
endif()
execute_process(COMMAND "${SCRUB}" "${msi}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "msi-scrub could not clean the package")
endif()
file(COPY_FILE "${msi}" "${PACKAGE}")

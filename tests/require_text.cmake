# require_text(TEXT WHAT EXPECTED...): fails the check unless TEXT holds every EXPECTED piece;
# WHAT names the text in the message.
function(require_text text what)
  foreach(expected ${ARGN})
    string(FIND "${text}" "${expected}" found)
    if(found EQUAL -1)
      message(FATAL_ERROR "${what} lacks ${expected}:\n${text}")
    endif()
  endforeach()
endfunction()

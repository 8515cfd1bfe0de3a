# Writes the page's service worker, worker.js, into PAGE from TEMPLATE: the list of the page's
# files, and a cache name made from their content, so that a build that changes any file makes a
# worker of its own with a cache of its own. Run it again after changing a file of the page.
# Arguments: PAGE, TEMPLATE.
file(GLOB files RELATIVE "${PAGE}" "${PAGE}/*")
list(REMOVE_ITEM files worker.js)
list(SORT files)
set(content "")
set(quoted "")
foreach(file IN LISTS files)
  file(SHA256 "${PAGE}/${file}" sum)
  string(APPEND content "${file} ${sum}\n")
  list(APPEND quoted "\"${file}\"")
endforeach()
string(SHA256 HASH "${content}")
string(SUBSTRING "${HASH}" 0 16 HASH)
list(JOIN quoted ", " FILES)
configure_file("${TEMPLATE}" "${PAGE}/worker.js" @ONLY)

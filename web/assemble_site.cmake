# Puts the site together afresh: the page's own files and the module, and a
# version, a hash of every file of the site: in the service worker it names
# the cache, so that a changed site is cached anew, and in the page's links
# to its files it keeps a browser's cache from mixing files of two builds.
#   cmake -DPAGE_DIR=<the page's files> -DPAGE_SCRIPT=<document/page.js> -DMODULE_DIR=<quorvel.js, quorvel.wasm>
#         -DSITE_DIR=<the site> -P assemble_site.cmake
file(REMOVE_RECURSE ${SITE_DIR})
file(COPY ${PAGE_DIR}/ DESTINATION ${SITE_DIR})
file(COPY ${PAGE_SCRIPT} ${MODULE_DIR}/quorvel.js ${MODULE_DIR}/quorvel.wasm DESTINATION ${SITE_DIR})

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${SITE_DIR} ${SITE_DIR}/*)
list(SORT files)
set(digests "")
foreach(file IN LISTS files)
  file(SHA256 ${SITE_DIR}/${file} digest)
  string(APPEND digests "${file} ${digest}\n")
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING ${version} 0 16 version)

if(EXISTS ${SITE_DIR}/sw.js)
  file(READ ${SITE_DIR}/sw.js worker)
  string(REPLACE "@QUORVEL_SITE_VERSION@" ${version} worker "${worker}")
  file(WRITE ${SITE_DIR}/sw.js "${worker}")
endif()

file(READ ${SITE_DIR}/index.html page)
foreach(linked quorvel.js page.js boxes.js view.js keys.js voice.js app.js style.css)
  string(REPLACE "\"${linked}\"" "\"${linked}?v=${version}\"" page "${page}")
endforeach()
file(WRITE ${SITE_DIR}/index.html "${page}")

# Gives the staged page its version: the first 16 hex digits of a SHA-256 over
# the page's files (and the worker) as built, so that any change to any of
# them makes a new version. Then the version goes into the page, where every
# src="FILE" and href="FILE" of a page file becomes FILE?v=VERSION and
# @PAGE_VERSION@ the version, into the manifest, and into the worker with the
# digest of each file as it is finally served. LANGUAGE_FILES are the files
# the page fetches only for a language, which count for the version and get
# their digests in the worker too, in a list of their own.
#
#   cmake -DSTAGE=folder -DFILES=index.html,glyphtumble.js,... -DWORKER=web/sw.js
#         -DLANGUAGE_FILES=de/words.gz,de/letters.txt,...
#         -P web/StampVersion.cmake

string(REPLACE "," ";" files "${FILES}")
string(REPLACE "," ";" languageFiles "${LANGUAGE_FILES}")
file(SHA256 ${WORKER} digest)
set(all "sw.js ${digest}\n")
foreach(file ${files} ${languageFiles})
    file(SHA256 ${STAGE}/${file} digest)
    string(APPEND all "${file} ${digest}\n")
endforeach()
string(SHA256 version "${all}")
string(SUBSTRING ${version} 0 16 version)

file(READ ${STAGE}/index.html page)
foreach(file ${files})
    foreach(attribute src href)
        string(REPLACE "${attribute}=\"${file}\"" "${attribute}=\"${file}?v=${version}\"" page "${page}")
    endforeach()
endforeach()
string(REPLACE "@PAGE_VERSION@" ${version} page "${page}")
file(WRITE ${STAGE}/index.html "${page}")
file(READ ${STAGE}/manifest.webmanifest manifest)
string(REPLACE "@PAGE_VERSION@" ${version} manifest "${manifest}")
file(WRITE ${STAGE}/manifest.webmanifest "${manifest}")

set(list "")
foreach(file ${files})
    file(SHA256 ${STAGE}/${file} digest)
    string(APPEND list "  '${file}': '${digest}',\n")
endforeach()
set(languageList "")
foreach(file ${languageFiles})
    file(SHA256 ${STAGE}/${file} digest)
    string(APPEND languageList "  '${file}': '${digest}',\n")
endforeach()
file(READ ${WORKER} worker)
string(REPLACE "@PAGE_VERSION@" ${version} worker "${worker}")
string(REPLACE "@PAGE_FILES@\n" "${list}" worker "${worker}")
string(REPLACE "@PAGE_LANGUAGE_FILES@\n" "${languageList}" worker "${worker}")
file(WRITE ${STAGE}/sw.js "${worker}")

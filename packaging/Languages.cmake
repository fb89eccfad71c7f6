# The languages besides English: each a folder of the data folder (de/ and so
# on) with its word list and letters, the name of its folder and starter in
# the Windows zip, and where its word list's notice comes from: its Debian
# package, that package's copyright file (#pattern: only that Files
# paragraph) and the licence the list is used under (packaging/make-copyright).

set(GLYPHTUMBLE_LANGUAGES de fr es it nl)
set(GLYPHTUMBLE_LANGUAGE_NAME_de Deutsch)
set(GLYPHTUMBLE_LANGUAGE_NAME_fr Francais)
set(GLYPHTUMBLE_LANGUAGE_NAME_es Espanol)
set(GLYPHTUMBLE_LANGUAGE_NAME_it Italiano)
set(GLYPHTUMBLE_LANGUAGE_NAME_nl Nederlands)

# Dutch's copyright file holds its licence texts in full ("-").
set(GLYPHTUMBLE_LANGUAGE_NOTICES
    de wngerman /usr/share/doc/wngerman/copyright GPL-2
    fr wfrench /usr/share/doc/wfrench/copyright GPL-2
    es hunspell-es "/usr/share/doc/hunspell-es/copyright#dictionaries/es/*" MPL-1.1
    it witalian /usr/share/doc/witalian/copyright GPL-3
    nl wdutch /usr/share/doc/wdutch/copyright -)
set(GLYPHTUMBLE_LANGUAGE_COPYRIGHTS)
foreach(file ${GLYPHTUMBLE_LANGUAGE_NOTICES})
    if(file MATCHES "^/")
        string(REGEX REPLACE "#.*" "" file "${file}")
        list(APPEND GLYPHTUMBLE_LANGUAGE_COPYRIGHTS ${file})
    endif()
endforeach()

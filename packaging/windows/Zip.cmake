# The portable Windows zip, glyphtumble-<version>-windows-x86_64.zip: one
# folder holding the game, its five data files, the licence and notices and a
# short README.txt. The game reads its files from the folder it is started in
# and keeps its Hall of Fame there. Each other language has a folder of its
# own (Deutsch, ...) with its word list, letters and images, and a starter
# beside the game (Deutsch.cmd) that starts the game in that folder. Target:
# zip. Included by the top-level CMakeLists.txt in Windows builds.

set(GLYPHTUMBLE_ZIP_NAME glyphtumble-${PROJECT_VERSION}-windows-x86_64)
set(stage ${CMAKE_BINARY_DIR}/zip/${GLYPHTUMBLE_ZIP_NAME})

# The licence, as LICENSE.txt so that a double-click opens it, and the
# notices of the words and the glyphs, which packaging/make-copyright gathers
# from the copyright files of the Debian packages they are made from.
set(zipNotices)
if(EXISTS ${CMAKE_SOURCE_DIR}/LICENSE)
    configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/notices/LICENSE.txt COPYONLY)
    list(APPEND zipNotices ${CMAKE_BINARY_DIR}/notices/LICENSE.txt)
    if(EXISTS ${CMAKE_SOURCE_DIR}/packaging/make-copyright)
        set(copyrights /usr/share/doc/scowl/copyright /usr/share/doc/fonts-dejavu-core/copyright)
        add_custom_command(
            OUTPUT ${CMAKE_BINARY_DIR}/notices/COPYRIGHT.txt
            COMMAND ${CMAKE_SOURCE_DIR}/packaging/make-copyright ${CMAKE_SOURCE_DIR}/LICENSE
                    ${copyrights} ${CMAKE_BINARY_DIR}/notices/COPYRIGHT.txt
                    ${GLYPHTUMBLE_LANGUAGE_NOTICES}
            DEPENDS ${CMAKE_SOURCE_DIR}/packaging/make-copyright ${CMAKE_SOURCE_DIR}/LICENSE
                    ${copyrights} ${GLYPHTUMBLE_LANGUAGE_COPYRIGHTS}
            VERBATIM)
        list(APPEND zipNotices ${CMAKE_BINARY_DIR}/notices/COPYRIGHT.txt)
    endif()
endif()

# The notices of the libraries linked into the .exe: freeglut, and MinGW-w64's
# runtime and thread library (the GCC runtime's exception asks for none).
set(GLYPHTUMBLE_FREEGLUT_COPYING "" CACHE FILEPATH "freeglut's COPYING, for the zip")
set(GLYPHTUMBLE_MINGW_COPYRIGHT /usr/share/doc/mingw-w64-x86-64-dev/copyright CACHE FILEPATH
    "Copyright file of Debian's MinGW-w64 runtime package, for the zip")
foreach(pair "freeglut-COPYING.txt;${GLYPHTUMBLE_FREEGLUT_COPYING}"
             "mingw-w64-copyright.txt;${GLYPHTUMBLE_MINGW_COPYRIGHT}")
    list(GET pair 0 name)
    list(GET pair 1 file)
    if(NOT EXISTS "${file}")
        message(FATAL_ERROR "The zip's ${name} comes from '${file}', which is missing "
            "(tools/build-windows names both).")
    endif()
    configure_file(${file} ${CMAKE_BINARY_DIR}/notices/${name} COPYONLY)
    list(APPEND zipNotices ${CMAKE_BINARY_DIR}/notices/${name})
endforeach()

set(zipFiles
    $<TARGET_FILE:glyphtumble>
    ${GLYPHTUMBLE_DATA_DIR}/dictionary.txt
    ${GLYPHTUMBLE_DATA_DIR}/font.pgm
    ${GLYPHTUMBLE_DATA_DIR}/tile.ppm
    ${GLYPHTUMBLE_DATA_DIR}/water.ppm
    ${GLYPHTUMBLE_DATA_DIR}/coarse.ppm
    ${zipNotices}
    ${CMAKE_CURRENT_LIST_DIR}/README.txt)

# A language's folder and its starter. The starter waits for the game, as a
# batch file does, so the game writes its messages into the starter's
# console and its exit status comes back from it.
set(languageCommands)
set(languageFiles)
foreach(code ${GLYPHTUMBLE_LANGUAGES})
    set(name ${GLYPHTUMBLE_LANGUAGE_NAME_${code}})
    set(starter ${CMAKE_BINARY_DIR}/starters/${name}.cmd)
    file(WRITE ${starter}
        "@rem Starts Glyphtumble in ${name}: its words, letters and Hall of Fame are in the folder ${name}.\r\n"
        "@cd /d \"%~dp0${name}\" && \"%~dp0glyphtumble.exe\" %*\r\n")
    set(files ${GLYPHTUMBLE_DATA_DIR}/${code}/dictionary.txt ${GLYPHTUMBLE_DATA_DIR}/${code}/letters.txt
        ${GLYPHTUMBLE_DATA_DIR}/font-latin1.pgm ${GLYPHTUMBLE_DATA_DIR}/tile.ppm
        ${GLYPHTUMBLE_DATA_DIR}/water.ppm ${GLYPHTUMBLE_DATA_DIR}/coarse.ppm)
    list(APPEND languageCommands
        COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/${name}
        COMMAND ${CMAKE_COMMAND} -E copy ${files} ${stage}/${name}
        COMMAND ${CMAKE_COMMAND} -E copy ${starter} ${stage})
    list(APPEND languageFiles ${files} ${starter})
endforeach()

add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/${GLYPHTUMBLE_ZIP_NAME}.zip
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/zip
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy ${zipFiles} ${stage}
    ${languageCommands}
    COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/zip
            ${CMAKE_COMMAND} -E tar cf ${CMAKE_BINARY_DIR}/${GLYPHTUMBLE_ZIP_NAME}.zip
            --format=zip ${GLYPHTUMBLE_ZIP_NAME}
    DEPENDS glyphtumble ${zipFiles} ${languageFiles}
    COMMENT "Packing ${GLYPHTUMBLE_ZIP_NAME}.zip"
    VERBATIM)
add_custom_target(zip ALL DEPENDS ${CMAKE_BINARY_DIR}/${GLYPHTUMBLE_ZIP_NAME}.zip)

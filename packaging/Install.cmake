# Installing Glyphtumble as a desktop game, and its Debian package.
#
# A plain `cmake --install` and the Debian package (cpack -G DEB) lay out the
# launcher and the data differently; the package follows Debian's layout for
# games:
#
#   cmake --install                 the package                      what
#   <prefix>/bin/glyphtumble        /usr/games/glyphtumble           the launcher (packaging/glyphtumble.in)
#   <prefix>/share/glyphtumble/     /usr/share/games/glyphtumble/    the word list and the four images
#   <prefix>/share/applications/glyphtumble.desktop                  the menu entry
#                                   (Exec=glyphtumble in a plain install, the full path in the package,
#                                   since /usr/games is not on every PATH)
#
# and both hold:
#
#   <prefix>/libexec/glyphtumble/glyphtumble     the game program
#   <prefix>/share/metainfo/glyphtumble.metainfo.xml   AppStream data for software centres
#   <prefix>/share/icons/hicolor/NxN/apps/glyphtumble.png   (48, 128, 256)
#   <prefix>/share/man/man6/glyphtumble.6.gz
#   <prefix>/share/doc/glyphtumble/copyright     the licences, in Debian's machine-readable format
#   <prefix>/share/doc/glyphtumble/changelog.gz  packaging/changelog, in Debian's format
#
# and the package alone /usr/share/lintian/overrides/glyphtumble.
#
# The three sets are install components: "common", "plain" (installed by
# default) and "games" (installed only when asked for, as cpack does).
#
# The game reads its files from its working directory and writes its Hall of
# Fame there, so it is never started directly: the launcher gives each player
# a folder of their own and runs the game in it.
#
# Included at the end of the top-level CMakeLists.txt.

include(GNUInstallDirs)

set(GLYPHTUMBLE_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(GLYPHTUMBLE_PACKAGING_BINARY_DIR ${CMAKE_BINARY_DIR}/packaging)
set(GLYPHTUMBLE_INSTALL_GAMEDIR ${CMAKE_INSTALL_LIBEXECDIR}/glyphtumble)
set(GLYPHTUMBLE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/glyphtumble)
# Where the package installs; its menu entry names the command by full path.
set(GLYPHTUMBLE_PACKAGE_PREFIX /usr)

# --- The icon, drawn at build time by tools/make_icon.cpp ------------------

find_package(Freetype REQUIRED)
find_package(ZLIB REQUIRED)
if(NOT DEFINED GLYPHTUMBLE_FONT_FILE)
    set(GLYPHTUMBLE_FONT_FILE /usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf)
endif()

add_executable(make_icon ${CMAKE_SOURCE_DIR}/tools/make_icon.cpp)
target_link_libraries(make_icon PRIVATE Freetype::Freetype ZLIB::ZLIB)

set(GLYPHTUMBLE_ICON_SIZES 48 128 256)
set(GLYPHTUMBLE_ICON_FILES)
foreach(size ${GLYPHTUMBLE_ICON_SIZES})
    set(icon ${GLYPHTUMBLE_PACKAGING_BINARY_DIR}/icons/${size}x${size}/glyphtumble.png)
    add_custom_command(
        OUTPUT ${icon}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${GLYPHTUMBLE_PACKAGING_BINARY_DIR}/icons/${size}x${size}
        COMMAND make_icon ${GLYPHTUMBLE_FONT_FILE} ${size} ${icon}
        DEPENDS make_icon ${GLYPHTUMBLE_FONT_FILE}
        COMMENT "Drawing the ${size}x${size} icon"
        VERBATIM)
    list(APPEND GLYPHTUMBLE_ICON_FILES ${icon})
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        COMPONENT common)
endforeach()
add_custom_target(desktop_icons ALL DEPENDS ${GLYPHTUMBLE_ICON_FILES})

# The Windows program's icon, one .ico at the sizes Windows shows, beside the
# data files a cross build takes (packaging/windows/Resources.cmake). Made
# only when asked for: tools/build-windows builds windows_icon.
set(GLYPHTUMBLE_WINDOWS_ICON ${GLYPHTUMBLE_DATA_DIR}/glyphtumble.ico)
add_custom_command(
    OUTPUT ${GLYPHTUMBLE_WINDOWS_ICON}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${GLYPHTUMBLE_DATA_DIR}
    COMMAND make_icon ${GLYPHTUMBLE_FONT_FILE} 16,32,48,256 ${GLYPHTUMBLE_WINDOWS_ICON}
    DEPENDS make_icon ${GLYPHTUMBLE_FONT_FILE}
    COMMENT "Drawing the Windows icon"
    VERBATIM)
add_custom_target(windows_icon DEPENDS ${GLYPHTUMBLE_WINDOWS_ICON})

# The web page's icons, at the sizes a phone puts on its home screen and
# shows while the page starts, beside the data files the page build takes
# (web/CMakeLists.txt). Made only when asked for: tools/build-web builds
# web_icons.
set(GLYPHTUMBLE_WEB_ICONS)
foreach(size 192 512)
    set(icon ${GLYPHTUMBLE_DATA_DIR}/glyphtumble-${size}.png)
    add_custom_command(
        OUTPUT ${icon}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${GLYPHTUMBLE_DATA_DIR}
        COMMAND make_icon ${GLYPHTUMBLE_FONT_FILE} ${size} ${icon}
        DEPENDS make_icon ${GLYPHTUMBLE_FONT_FILE}
        COMMENT "Drawing the web page's ${size}x${size} icon"
        VERBATIM)
    list(APPEND GLYPHTUMBLE_WEB_ICONS ${icon})
endforeach()
add_custom_target(web_icons DEPENDS ${GLYPHTUMBLE_WEB_ICONS})

# --- The manual page, compressed as Debian installs manual pages ----------

# -n leaves out the time stamp, so every build makes the same bytes.
find_program(GLYPHTUMBLE_GZIP gzip REQUIRED)
set(GLYPHTUMBLE_MANUAL_PAGE ${GLYPHTUMBLE_PACKAGING_BINARY_DIR}/glyphtumble.6.gz)
add_custom_command(
    OUTPUT ${GLYPHTUMBLE_MANUAL_PAGE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${GLYPHTUMBLE_PACKAGING_BINARY_DIR}
    COMMAND ${GLYPHTUMBLE_GZIP} -9n -c ${GLYPHTUMBLE_PACKAGING_DIR}/glyphtumble.6 > ${GLYPHTUMBLE_MANUAL_PAGE}
    DEPENDS ${GLYPHTUMBLE_PACKAGING_DIR}/glyphtumble.6
    COMMENT "Compressing the manual page")
add_custom_target(manual_page ALL DEPENDS ${GLYPHTUMBLE_MANUAL_PAGE})

# --- The copyright file and the changelog ----------------------------------

# The word list's and the font's notices come from the copyright files of the
# Debian packages they are made from, as installed on the building machine.
set(GLYPHTUMBLE_SCOWL_COPYRIGHT /usr/share/doc/scowl/copyright CACHE FILEPATH
    "Copyright file of Debian's scowl package, the word list's source")
set(GLYPHTUMBLE_FONT_COPYRIGHT /usr/share/doc/fonts-dejavu-core/copyright CACHE FILEPATH
    "Copyright file of Debian's fonts-dejavu-core package, the font's source")
foreach(pair "scowl;${GLYPHTUMBLE_SCOWL_COPYRIGHT}" "fonts-dejavu-core;${GLYPHTUMBLE_FONT_COPYRIGHT}")
    list(GET pair 0 package)
    list(GET pair 1 file)
    if(NOT EXISTS ${file})
        message(FATAL_ERROR "The package's copyright file quotes ${file}, which is missing. "
            "Install Debian's ${package} package (tools/install-deps does).")
    endif()
endforeach()
# The other languages' notices: packaging/Languages.cmake.
set(GLYPHTUMBLE_COPYRIGHT ${GLYPHTUMBLE_PACKAGING_BINARY_DIR}/copyright)
add_custom_command(
    OUTPUT ${GLYPHTUMBLE_COPYRIGHT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${GLYPHTUMBLE_PACKAGING_BINARY_DIR}
    COMMAND ${GLYPHTUMBLE_PACKAGING_DIR}/make-copyright --linked-openal ${CMAKE_SOURCE_DIR}/LICENSE
        ${GLYPHTUMBLE_SCOWL_COPYRIGHT} ${GLYPHTUMBLE_FONT_COPYRIGHT} ${GLYPHTUMBLE_COPYRIGHT}
        ${GLYPHTUMBLE_LANGUAGE_NOTICES}
    DEPENDS ${GLYPHTUMBLE_PACKAGING_DIR}/make-copyright ${CMAKE_SOURCE_DIR}/LICENSE
        ${GLYPHTUMBLE_SCOWL_COPYRIGHT} ${GLYPHTUMBLE_FONT_COPYRIGHT}
        ${GLYPHTUMBLE_LANGUAGE_COPYRIGHTS}
    COMMENT "Writing the copyright file"
    VERBATIM)

# The newest changelog entry must be this version's (checked again whenever
# the changelog changes).
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${GLYPHTUMBLE_PACKAGING_DIR}/changelog)
file(STRINGS ${GLYPHTUMBLE_PACKAGING_DIR}/changelog GLYPHTUMBLE_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT GLYPHTUMBLE_CHANGELOG_TOP MATCHES "^glyphtumble \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog has no entry for version ${PROJECT_VERSION} "
        "at its top: add one.")
endif()
set(GLYPHTUMBLE_CHANGELOG ${GLYPHTUMBLE_PACKAGING_BINARY_DIR}/changelog.gz)
add_custom_command(
    OUTPUT ${GLYPHTUMBLE_CHANGELOG}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${GLYPHTUMBLE_PACKAGING_BINARY_DIR}
    COMMAND ${GLYPHTUMBLE_GZIP} -9n -c ${GLYPHTUMBLE_PACKAGING_DIR}/changelog > ${GLYPHTUMBLE_CHANGELOG}
    DEPENDS ${GLYPHTUMBLE_PACKAGING_DIR}/changelog
    COMMENT "Compressing the changelog")
add_custom_target(package_docs ALL DEPENDS ${GLYPHTUMBLE_COPYRIGHT} ${GLYPHTUMBLE_CHANGELOG})

# --- The two layouts: launcher, data and menu entry --------------------------

install(TARGETS glyphtumble RUNTIME DESTINATION ${GLYPHTUMBLE_INSTALL_GAMEDIR} COMPONENT common)
# A stripped install (the package's) also drops the sections that only say
# which compiler made the program.
install(CODE "if(CMAKE_INSTALL_DO_STRIP AND NOT \"${CMAKE_STRIP}\" STREQUAL \"\")
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${GLYPHTUMBLE_INSTALL_GAMEDIR}/glyphtumble\"
        COMMAND_ERROR_IS_FATAL ANY)
endif()" COMPONENT common)

# The launcher finds the data and the game relative to its own folder, so the
# tree still works when it is unpacked under another root (DESTDIR, dpkg -x).
function(glyphtumble_layout component bindir datadir command)
    if(component STREQUAL games)
        set(optional EXCLUDE_FROM_ALL)
    endif()
    set(out ${GLYPHTUMBLE_PACKAGING_BINARY_DIR}/${component})
    file(RELATIVE_PATH GLYPHTUMBLE_BIN_TO_DATA
        ${CMAKE_INSTALL_PREFIX}/${bindir} ${CMAKE_INSTALL_PREFIX}/${datadir})
    file(RELATIVE_PATH GLYPHTUMBLE_BIN_TO_GAME
        ${CMAKE_INSTALL_PREFIX}/${bindir} ${CMAKE_INSTALL_PREFIX}/${GLYPHTUMBLE_INSTALL_GAMEDIR})
    configure_file(${GLYPHTUMBLE_PACKAGING_DIR}/glyphtumble.in ${out}/glyphtumble @ONLY)
    set(GLYPHTUMBLE_COMMAND ${command})
    configure_file(${GLYPHTUMBLE_PACKAGING_DIR}/glyphtumble.desktop.in
        ${out}/glyphtumble.desktop @ONLY)

    install(PROGRAMS ${out}/glyphtumble DESTINATION ${bindir}
        COMPONENT ${component} ${optional})
    # The data target (tools/) makes these, and each language's two; it is
    # part of every build.
    install(FILES
        ${GLYPHTUMBLE_DATA_DIR}/dictionary.txt
        ${GLYPHTUMBLE_DATA_DIR}/font.pgm
        ${GLYPHTUMBLE_DATA_DIR}/tile.ppm
        ${GLYPHTUMBLE_DATA_DIR}/water.ppm
        ${GLYPHTUMBLE_DATA_DIR}/coarse.ppm
        ${GLYPHTUMBLE_DATA_DIR}/font-latin1.pgm
        DESTINATION ${datadir} COMPONENT ${component} ${optional})
    foreach(code ${GLYPHTUMBLE_LANGUAGES})
        install(FILES ${GLYPHTUMBLE_DATA_DIR}/${code}/dictionary.txt
            ${GLYPHTUMBLE_DATA_DIR}/${code}/letters.txt
            DESTINATION ${datadir}/${code} COMPONENT ${component} ${optional})
    endforeach()
    install(FILES ${out}/glyphtumble.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        COMPONENT ${component} ${optional})
endfunction()

glyphtumble_layout(plain ${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_DATADIR}/glyphtumble glyphtumble)
glyphtumble_layout(games games ${CMAKE_INSTALL_DATADIR}/games/glyphtumble
    ${GLYPHTUMBLE_PACKAGE_PREFIX}/games/glyphtumble)
# lintian's notes on what the package does on purpose.
install(FILES ${GLYPHTUMBLE_PACKAGING_DIR}/lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME glyphtumble
    COMPONENT games EXCLUDE_FROM_ALL)

# --- What both layouts hold -------------------------------------------------

install(FILES ${GLYPHTUMBLE_PACKAGING_DIR}/glyphtumble.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT common)
install(FILES ${GLYPHTUMBLE_MANUAL_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT common)
install(FILES ${GLYPHTUMBLE_COPYRIGHT} ${GLYPHTUMBLE_CHANGELOG}
    DESTINATION ${GLYPHTUMBLE_INSTALL_DOCDIR} COMPONENT common)

# --- The tests of all this --------------------------------------------------

if(TARGET InstallTest)
    add_dependencies(InstallTest desktop_icons manual_page package_docs)
    target_compile_definitions(InstallTest PRIVATE
        GLYPHTUMBLE_BUILD_DIR="${CMAKE_BINARY_DIR}"
        GLYPHTUMBLE_CMAKE="${CMAKE_COMMAND}"
        GLYPHTUMBLE_CPACK="${CMAKE_CPACK_COMMAND}"
        GLYPHTUMBLE_VERSION="${PROJECT_VERSION}"
        GLYPHTUMBLE_HARDENED=$<BOOL:${GLYPHTUMBLE_HARDENED}>)
endif()

# --- The Debian package: cpack -G DEB in the build folder -------------------

set(GLYPHTUMBLE_MAINTAINER "Glyphtumble developers <glyphtumble@marrowdale.invalid>"
    CACHE STRING "Maintainer line of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glyphtumble)
set(CPACK_PACKAGE_VENDOR Marrowdale)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${GLYPHTUMBLE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "word game with falling letter blocks")
set(CPACK_PACKAGING_INSTALL_PREFIX ${GLYPHTUMBLE_PACKAGE_PREFIX})
set(CPACK_STRIP_FILES ON)
# The package takes the files both layouts hold and Debian's games layout.
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${CMAKE_BINARY_DIR};Glyphtumble;common;/"
    "${CMAKE_BINARY_DIR};Glyphtumble;games;/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${GLYPHTUMBLE_MAINTAINER})
# The summary above is the description's first line; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Letter blocks fall one at a time into a well of 11 columns by 15 rows.
Steer each block so that the rows and columns spell words; every word
found scores and vanishes, and the letters above close up, which may
spell more words in a chain. Spell the target word to sweep the well
empty. The lower rows lie under water, where short columns float.

Drawn with OpenGL through freeglut, with sounds of its own played
through OpenAL Soft; each player keeps their own Hall of Fame.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The run-time libraries (GL, GLU, freeglut, OpenAL, the C++ runtime) come from
# dpkg-shlibdeps where it is installed (dpkg-dev); otherwise they are named
# here, freeglut under its names in newer and older Debian releases.
find_program(GLYPHTUMBLE_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(GLYPHTUMBLE_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # The program links GL's dispatch library; the GLX driver that draws in
    # the window comes with libgl1.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1")
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libc6, libstdc++6, libgcc-s1, libgl1, libglu1-mesa | libglu1, libglut3.12 | freeglut3, "
        "libopenal1")
endif()

include(CPack)

# Installing Glyphtumble as a desktop game, and its Debian package.
#
#   <prefix>/bin/glyphtumble                     the launcher (packaging/glyphtumble.in)
#   <prefix>/libexec/glyphtumble/glyphtumble     the game program
#   <prefix>/share/glyphtumble/                  the word list and the four images
#   <prefix>/share/applications/glyphtumble.desktop
#   <prefix>/share/icons/hicolor/NxN/apps/glyphtumble.png   (48, 128, 256)
#   <prefix>/share/man/man6/glyphtumble.6.gz
#
# The game reads its files from its working directory and writes its Hall of
# Fame there, so it is never started directly: the launcher gives each player
# a folder of their own and runs the game in it.
#
# Included at the end of the top-level CMakeLists.txt.

include(GNUInstallDirs)

set(GLYPHTUMBLE_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(GLYPHTUMBLE_PACKAGING_BINARY_DIR ${CMAKE_BINARY_DIR}/packaging)
set(GLYPHTUMBLE_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/glyphtumble)
set(GLYPHTUMBLE_INSTALL_GAMEDIR ${CMAKE_INSTALL_LIBEXECDIR}/glyphtumble)

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
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(desktop_icons ALL DEPENDS ${GLYPHTUMBLE_ICON_FILES})

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

# --- The launcher -----------------------------------------------------------

# The launcher finds the data and the game relative to its own folder, so the
# tree still works when it is unpacked under another root (DESTDIR, dpkg -x).
file(RELATIVE_PATH GLYPHTUMBLE_BIN_TO_DATA
    ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${GLYPHTUMBLE_INSTALL_DATADIR})
file(RELATIVE_PATH GLYPHTUMBLE_BIN_TO_GAME
    ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${GLYPHTUMBLE_INSTALL_GAMEDIR})
configure_file(${GLYPHTUMBLE_PACKAGING_DIR}/glyphtumble.in
    ${GLYPHTUMBLE_PACKAGING_BINARY_DIR}/glyphtumble @ONLY)

# --- What goes where --------------------------------------------------------

install(TARGETS glyphtumble RUNTIME DESTINATION ${GLYPHTUMBLE_INSTALL_GAMEDIR})
install(PROGRAMS ${GLYPHTUMBLE_PACKAGING_BINARY_DIR}/glyphtumble
    DESTINATION ${CMAKE_INSTALL_BINDIR})
# The data target (tools/) makes these five; it is part of every build.
install(FILES
    ${GLYPHTUMBLE_DATA_DIR}/dictionary.txt
    ${GLYPHTUMBLE_DATA_DIR}/font.pgm
    ${GLYPHTUMBLE_DATA_DIR}/tile.ppm
    ${GLYPHTUMBLE_DATA_DIR}/water.ppm
    ${GLYPHTUMBLE_DATA_DIR}/coarse.ppm
    DESTINATION ${GLYPHTUMBLE_INSTALL_DATADIR})
install(FILES ${GLYPHTUMBLE_PACKAGING_DIR}/glyphtumble.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${GLYPHTUMBLE_MANUAL_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# --- The tests of all this --------------------------------------------------

if(TARGET InstallTest)
    add_dependencies(InstallTest desktop_icons manual_page)
    target_compile_definitions(InstallTest PRIVATE
        GLYPHTUMBLE_BUILD_DIR="${CMAKE_BINARY_DIR}"
        GLYPHTUMBLE_CMAKE="${CMAKE_COMMAND}"
        GLYPHTUMBLE_CPACK="${CMAKE_CPACK_COMMAND}"
        GLYPHTUMBLE_VERSION="${PROJECT_VERSION}")
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
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

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

Drawn with OpenGL through freeglut; each player keeps their own Hall
of Fame.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The run-time libraries (GL, GLU, freeglut, the C++ runtime) come from
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
        "libc6, libstdc++6, libgcc-s1, libgl1, libglu1-mesa | libglu1, libglut3.12 | freeglut3")
endif()

include(CPack)

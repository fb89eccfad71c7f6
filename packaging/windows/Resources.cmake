# The .exe's resources: the icon Explorer, the taskbar and Alt-Tab show (named
# GLUT_ICON, which freeglut's window takes too) and the version information
# of its Properties page. The icon is drawn by tools/make_icon, which only
# runs on the build machine, so a cross build takes it from the native
# build's data folder, as it takes the data files (tools/build-windows makes
# it there). Included by the top-level CMakeLists.txt in Windows builds.

enable_language(RC)

set(GLYPHTUMBLE_ICO ${GLYPHTUMBLE_DATA_DIR}/glyphtumble.ico)
if(NOT EXISTS ${GLYPHTUMBLE_ICO})
    message(FATAL_ERROR "The .exe's icon comes from ${GLYPHTUMBLE_ICO}, which is missing: "
        "build the target windows_icon in the native build (tools/build-windows does).")
endif()

# The copyright line of the licence, as the Properties page shows it.
file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE GLYPHTUMBLE_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)

set(rc ${CMAKE_BINARY_DIR}/glyphtumble.rc)
configure_file(${CMAKE_CURRENT_LIST_DIR}/glyphtumble.rc.in ${rc} @ONLY)
set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${GLYPHTUMBLE_ICO})
target_sources(glyphtumble PRIVATE ${rc})

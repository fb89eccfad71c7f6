# The game's four images, drawn at build time by make_images into
# ${GLYPHTUMBLE_DATA_DIR}. They are never committed; every build makes the same
# bytes from the font below and the tool's fixed seeds.

find_package(Freetype REQUIRED)

set(GLYPHTUMBLE_FONT_FILE /usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf
    CACHE FILEPATH "TrueType font the glyph sheet font.pgm is rendered from (Debian's fonts-dejavu-core)")

if(NOT EXISTS ${GLYPHTUMBLE_FONT_FILE})
    message(FATAL_ERROR "The font for font.pgm, ${GLYPHTUMBLE_FONT_FILE}, is missing: install "
        "fonts-dejavu-core (tools/install-deps does) or set GLYPHTUMBLE_FONT_FILE to another "
        "monospaced TrueType font.")
endif()

add_executable(make_images make_images.cpp)
target_link_libraries(make_images PRIVATE Freetype::Freetype)

set(GLYPHTUMBLE_IMAGE_FILES
    ${GLYPHTUMBLE_DATA_DIR}/font.pgm
    ${GLYPHTUMBLE_DATA_DIR}/font-latin1.pgm
    ${GLYPHTUMBLE_DATA_DIR}/tile.ppm
    ${GLYPHTUMBLE_DATA_DIR}/water.ppm
    ${GLYPHTUMBLE_DATA_DIR}/coarse.ppm)

add_custom_command(
    OUTPUT ${GLYPHTUMBLE_IMAGE_FILES}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${GLYPHTUMBLE_DATA_DIR}
    COMMAND make_images ${GLYPHTUMBLE_FONT_FILE} ${GLYPHTUMBLE_DATA_DIR}
    DEPENDS make_images ${GLYPHTUMBLE_FONT_FILE}
    COMMENT "Making font.pgm, font-latin1.pgm, tile.ppm, water.ppm and coarse.ppm"
    VERBATIM)

list(APPEND GLYPHTUMBLE_DATA_FILES ${GLYPHTUMBLE_IMAGE_FILES})

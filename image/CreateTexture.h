#pragma once

#include <vector>

class PxM;

// A texture's texels as uploaded: bottom row first, bytesPerTexel each.
struct UploadedTexels {
    int width = 0;
    int height = 0;
    int bytesPerTexel = 0;
    std::vector<unsigned char> texels;
};

// Turns an image file into an OpenGL texture object and returns its name, or 0
// when the image can't be loaded. width and height are in texels, -1 meaning
// the image's own size; the image is copied texel for texel when the sizes
// match and resampled bilinearly otherwise, and sizes above GL_MAX_TEXTURE_SIZE
// are shrunk with a warning on standard error. intensity asks for a
// one-channel GL_INTENSITY4 texture, else RGBA. On success the new texture is
// left bound to GL_TEXTURE_2D. A size of 0 or less (other than -1) gives 0.
// When uploaded is given, it receives the texels as they went to OpenGL.
unsigned CreateTexture(const char* file, int width, int height, bool intensity,
                       UploadedTexels* uploaded = nullptr);

// The two steps of CreateTexture that need no graphics system.

// Shrinks a requested size to at most maxSize on each side, printing the
// warning on standard error when it has to.
void ClampTextureSize(const char* file, int& width, int& height, int maxSize);

// Fills texels with the texture CreateTexture uploads for image at width x
// height: bottom row first, one byte per texel (the red value) for an
// intensity texture, else red, green, blue and 255. Values are wrapped to
// their low 8 bits, not clamped.
void FillTexels(const PxM& image, int width, int height, bool intensity,
                std::vector<unsigned char>& texels);

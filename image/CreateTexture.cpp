#include "image/CreateTexture.h"

#include "image/PxM.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

// Not in the OpenGL 1.1 headers of every system.
#ifndef GL_INTENSITY4
#define GL_INTENSITY4 0x804A
#endif

void StoreTexel(const int rgb[3], bool intensity, unsigned char*& out) {
    // Extrapolated samples can leave 0..255; they are wrapped like any int
    // cast to a byte.
    if (intensity) {
        *out++ = static_cast<unsigned char>(rgb[0] & 0xFF);
    } else {
        *out++ = static_cast<unsigned char>(rgb[0] & 0xFF);
        *out++ = static_cast<unsigned char>(rgb[1] & 0xFF);
        *out++ = static_cast<unsigned char>(rgb[2] & 0xFF);
        *out++ = 255;
    }
}

} // namespace

void ClampTextureSize(const char* file, int& width, int& height, int maxSize) {
    if (width > maxSize || height > maxSize)
        std::fprintf(stderr,
                     "CreateTexture(): warning: I had to shrink texture %s from %dx%d to %dx%d\n"
                     "to accomodate your prehistoric video hardware.\n",
                     file, width, height, maxSize, maxSize);
    width = std::min(width, maxSize);
    height = std::min(height, maxSize);
}

void FillTexels(const PxM& image, int width, int height, bool intensity,
                std::vector<unsigned char>& texels) {
    const std::size_t bytesPerTexel = intensity ? 1 : 4;
    texels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                  bytesPerTexel);
    unsigned char* out = texels.data();
    int rgb[3];

    // Texture rows run from the bottom up, image rows from the top down.
    if (width == image.width && height == image.height) {
        for (int r = height - 1; r >= 0; --r)
            for (int k = 0; k < width; ++k) {
                image.GetPixel(k, r, rgb);
                StoreTexel(rgb, intensity, out);
            }
        return;
    }

    // The positions are accumulated by repeated addition, and the vertical
    // step is taken before each row's samples, so the top texture row samples
    // half a pixel above the image and extrapolates from its first two rows.
    const double stepX = static_cast<double>(image.width) / width;
    const double stepY = -(static_cast<double>(image.height) / height);
    double y = image.height - 0.5;
    for (int j = 0; j < height; ++j) {
        y += stepY;
        double x = 0.0;
        for (int i = 0; i < width; ++i) {
            image.Sample(x, y, rgb);
            StoreTexel(rgb, intensity, out);
            x += stepX;
        }
    }
}

unsigned CreateTexture(const char* file, int width, int height, bool intensity,
                       UploadedTexels* uploaded) {
    PxM image;
    if (!image.Load(file))
        return 0;
    if (width == -1)
        width = image.width;
    if (height == -1)
        height = image.height;
    // No caller asks for an empty texture; refuse one rather than size a
    // buffer from a negative count.
    if (width < 1 || height < 1)
        return 0;

    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    ClampTextureSize(file, width, height, maxSize);

    GLuint name = 0;
    glGenTextures(1, &name);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

    std::vector<unsigned char> texels;
    FillTexels(image, width, height, intensity, texels);

    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    if (intensity)
        glTexImage2D(GL_TEXTURE_2D, 0, GL_INTENSITY4, width, height, 0, GL_LUMINANCE,
                     GL_UNSIGNED_BYTE, texels.data());
    else
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     texels.data());
    if (uploaded != nullptr) {
        uploaded->width = width;
        uploaded->height = height;
        uploaded->bytesPerTexel = intensity ? 1 : 4;
        uploaded->texels = std::move(texels);
    }
    return name;
}

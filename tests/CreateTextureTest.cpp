#include "image/CreateTexture.h"
#include "image/PxM.h"

#include "tests/support/GlContext.h"
#include "tests/support/TempDir.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace {

// A binary image whose pixel (x, y) is colour(x, y), three bytes.
template <typename Colour> std::string MakePpm(int width, int height, Colour colour) {
    std::string file = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (const int v : colour(x, y))
                file += static_cast<char>(v);
    return file;
}

std::vector<unsigned char> ReadRgba(int width, int height) {
    std::vector<unsigned char> texels(static_cast<std::size_t>(width * height * 4));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

GLint TextureLevel(GLenum parameter) {
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, parameter, &value);
    return value;
}

} // namespace

class CreateTextureTest : public GlTest {};

TEST_F(CreateTextureTest, SameSize_CopiesTexelForTexelBottomRowFirst) {
    TempDir dir;
    const std::string file = dir.Write("ramp.ppm", MakePpm(64, 64, [](int x, int y) {
                                           return std::vector{x * 4, y * 4, 7};
                                       }));
    const unsigned name = CreateTexture(file.c_str(), -1, -1, false);
    ASSERT_NE(name, 0u);

    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned>(bound), name);
    EXPECT_EQ(TextureLevel(GL_TEXTURE_WIDTH), 64);
    EXPECT_EQ(TextureLevel(GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA);
    const std::vector<unsigned char> texels = ReadRgba(64, 64);
    for (int row = 0; row < 64; row += 21)
        for (int x = 0; x < 64; x += 9) {
            const unsigned char* t = &texels[static_cast<std::size_t>((row * 64 + x) * 4)];
            // Texture row 0 is the image's bottom row, 63.
            EXPECT_EQ(t[0], x * 4);
            EXPECT_EQ(t[1], (63 - row) * 4);
            EXPECT_EQ(t[2], 7);
            EXPECT_EQ(t[3], 255);
        }

    for (const GLenum parameter : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T}) {
        GLint value = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
        EXPECT_EQ(value, GL_REPEAT);
    }
    for (const GLenum parameter : {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER}) {
        GLint value = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
        EXPECT_EQ(value, GL_LINEAR);
    }
    GLint value = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
    EXPECT_EQ(value, GL_MODULATE);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &value);
    EXPECT_EQ(value, 1);
}

TEST_F(CreateTextureTest, Intensity_UploadsOneChannelFromRed) {
    TempDir dir;
    // Red is 255 on the left half, green the opposite: only red may show.
    const std::string file = dir.Write("halves.ppm", MakePpm(8, 4, [](int x, int) {
                                           return std::vector{x < 4 ? 255 : 0, x < 4 ? 0 : 255, 0};
                                       }));
    ASSERT_NE(CreateTexture(file.c_str(), -1, -1, true), 0u);
    EXPECT_EQ(TextureLevel(GL_TEXTURE_INTERNAL_FORMAT), GL_INTENSITY4);
    std::vector<unsigned char> texels(32);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, texels.data());
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(texels[static_cast<std::size_t>(8 + x)], x < 4 ? 255 : 0) << x;
}

TEST_F(CreateTextureTest, TooLarge_ShrinksToTheMaximumWithTheWarning) {
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    TempDir dir;
    const std::string file = dir.Write("small.ppm", MakePpm(4, 4, [](int, int) {
                                           return std::vector{9, 9, 9};
                                       }));
    CaptureStderr();
    ASSERT_NE(CreateTexture(file.c_str(), maxSize + 1, 2, false), 0u);
    EXPECT_EQ(GetCapturedStderr(), "CreateTexture(): warning: I had to shrink texture " + file +
                                       " from " + std::to_string(maxSize + 1) + "x2 to " +
                                       std::to_string(maxSize) + "x" + std::to_string(maxSize) +
                                       "\nto accomodate your prehistoric video hardware.\n");
    EXPECT_EQ(TextureLevel(GL_TEXTURE_WIDTH), maxSize);
    EXPECT_EQ(TextureLevel(GL_TEXTURE_HEIGHT), 2);
}

TEST_F(CreateTextureTest, Unloadable_ReturnsZeroQuietly) {
    TempDir dir;
    const std::string bmp = dir.Write("image.bmp", MakePpm(2, 2, [](int, int) {
                                          return std::vector{1, 2, 3};
                                      }));
    CaptureStdout();
    CaptureStderr();
    EXPECT_EQ(CreateTexture(bmp.c_str(), -1, -1, false), 0u);
    EXPECT_EQ(GetCapturedStderr(), "");
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(FillTexelsTest, Resampling_AccumulatesPositionsAndWrapsExtrapolatedValues) {
    // 256 x 256 to 128 x 128: texel i samples x = 2i, texture row j samples
    // y = 253.5 - 2j, and the top row y = -0.5 extrapolates from image rows 0
    // and 1. Red holds x, green y, blue 250 in row 0 and 50 in row 1.
    TempDir dir;
    const std::string file = dir.Write("big.ppm", MakePpm(256, 256, [](int x, int y) {
                                           return std::vector{x, y, y == 0 ? 250 : y == 1 ? 50 : 0};
                                       }));
    PxM image;
    ASSERT_EQ(image.Load(file.c_str()), 1);
    std::vector<unsigned char> texels;
    FillTexels(image, 128, 128, false, texels);
    ASSERT_EQ(texels.size(), 128u * 128u * 4u);
    const auto texel = [&](int i, int j) {
        return &texels[static_cast<std::size_t>((j * 128 + i) * 4)];
    };
    EXPECT_EQ(texel(5, 0)[0], 10);
    EXPECT_EQ(texel(127, 0)[0], 254);
    EXPECT_EQ(texel(0, 0)[1], 253);  // mean of rows 253 and 254, truncated
    EXPECT_EQ(texel(0, 100)[1], 53); // y = 53.5
    // 1.5 * 250 - 0.5 * 50 = 350, stored as its low 8 bits.
    EXPECT_EQ(texel(64, 127)[2], 350 - 256);
    EXPECT_EQ(texel(64, 127)[1], 0);  // 0 - 0.5 truncates to 0
    EXPECT_EQ(texel(64, 126)[2], 25); // y = 1.5, halfway from 50 to 0

    // A grey image as RGBA gives (g, g, g, 255); as intensity one byte.
    ASSERT_EQ(image.Load(dir.Write("g.pgm", "P5 2 1 255\n\x11\x22").c_str()), 1);
    FillTexels(image, 2, 1, false, texels);
    EXPECT_EQ(texels, (std::vector<unsigned char>{0x11, 0x11, 0x11, 255, 0x22, 0x22, 0x22, 255}));
    FillTexels(image, 2, 1, true, texels);
    EXPECT_EQ(texels, (std::vector<unsigned char>{0x11, 0x22}));
}

TEST(ClampTextureSizeTest, WarnsOnlyWhenASideIsTooLarge) {
    int width = 1024, height = 256;
    CaptureStderr();
    ClampTextureSize("wide.ppm", width, height, 512);
    EXPECT_EQ(GetCapturedStderr(),
              "CreateTexture(): warning: I had to shrink texture wide.ppm from 1024x256 to "
              "512x512\nto accomodate your prehistoric video hardware.\n");
    EXPECT_EQ(width, 512);
    EXPECT_EQ(height, 256);

    width = height = 512;
    CaptureStderr();
    ClampTextureSize("fits.ppm", width, height, 512);
    EXPECT_EQ(GetCapturedStderr(), "");
    EXPECT_EQ(width, 512);
}

#include "image/CreateTexture.h"

#include "tests/support/GlContext.h"
#include "tests/support/TempDir.h"

#include <GL/gl.h>

// An n x n image: red 256 x / n, green 256 y / n, blue 250 in row 0, 50 in row 1.
static std::string Ramp(int n) {
    std::string file = "P6\n" + std::to_string(n) + " " + std::to_string(n) + "\n255\n";
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            file += {char(256 * x / n), char(256 * y / n), char(y == 0 ? 250 : y == 1 ? 50 : 0)};
    return file;
}

// The bound texture's texel (i, j) read back as RGBA.
static std::vector<int> Texel(int i, int j, int width) {
    std::vector<unsigned char> texels(1 << 18);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    return std::vector<int>(texels.begin() + (j * width + i) * 4,
                            texels.begin() + (j * width + i + 1) * 4);
}

using CreateTextureTest = GlTest;

TEST_F(CreateTextureTest, CopiesBottomRowFirstResamplesKeepsRedForIntensityAndShrinks) {
    TempDir dir;
    ASSERT_NE(CreateTexture(dir.Write("ramp.ppm", Ramp(64)).c_str(), -1, -1, false), 0u);
    for (int row = 0; row < 64; row += 21) // texture row 0 is image row 63
        EXPECT_EQ(Texel(9, row, 64),
                  (std::vector<int>{36, (63 - row) * 4, row == 63 ? 250 : 0, 255}));
    for (const GLenum name :
         {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T, GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER}) {
        GLint value = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
        EXPECT_EQ(value,
                  name == GL_TEXTURE_WRAP_S || name == GL_TEXTURE_WRAP_T ? GL_REPEAT : GL_LINEAR);
    }
    // 256 x 256 to 128 x 128: texel i samples x = 2i, texture row j samples
    // y = 253.5 - 2j; the top row, y = -0.5, extrapolates rows 0 and 1. Green
    // truncates the mean of rows 253 and 254; blue 1.5 * 250 - 0.5 * 50 keeps
    // its low 8 bits.
    ASSERT_NE(CreateTexture(dir.Write("big.ppm", Ramp(256)).c_str(), 128, 128, false), 0u);
    EXPECT_EQ(Texel(5, 0, 128), (std::vector<int>{10, 253, 0, 255}));
    EXPECT_EQ(Texel(64, 127, 128), (std::vector<int>{128, 0, 350 - 256, 255}));
    // Intensity keeps red and drops green.
    const std::string rgb = dir.Write("rg.ppm", std::string("P6 2 1 255\n\xff\0\0\0\xff\0", 17));
    ASSERT_NE(CreateTexture(rgb.c_str(), -1, -1, true), 0u);
    EXPECT_EQ(Texel(0, 0, 2)[0] * 1000 + Texel(1, 0, 2)[0], 255000);
    // Too large shrinks with a warning.
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    const std::string file = dir.Write("small.ppm", "P6 1 1 255\n\t\t\t");
    testing::internal::CaptureStderr();
    ASSERT_NE(CreateTexture(file.c_str(), maxSize + 1, 2, false), 0u);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "CreateTexture(): warning: I had to shrink texture " + file + " from " +
                  std::to_string(maxSize + 1) + "x2 to " + std::to_string(maxSize) + "x" +
                  std::to_string(maxSize) + "\nto accomodate your prehistoric video hardware.\n");
}

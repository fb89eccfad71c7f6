#include "image/PxM.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using Rgb = std::vector<int>;
const Rgb Red{255, 0, 0};
static Rgb At(const PxM& image, double x, double y, bool sample = false) {
    int c[3];
    sample ? image.Sample(x, y, c) : image.GetPixel(int(x), int(y), c);
    return {c[0], c[1], c[2]};
}

// A 4 x 4 grey image whose pixel (x, y) is 10 (4 y + x) + 5.
const std::string GreyFour = "P5\n4 4\n255\n\x05\x0f\x19\x23\x2d\x37\x41\x4b\x55\x5f\x69\x73\x7d"
                             "\x87\x91\x9b";

TEST(PxMTest, LoadReadsEveryKindOrFailsLeavingNoImageAndPixelsAndSamplesAtTheEdges) {
    TempDir dir;
    PxM image;
    const std::tuple<const char*, std::string, int, Rgb> cases[] = {
        {"a.pgm", "P2\n2 1\n255\n7 200\n", 1, Rgb(3, 200)},
        {"b.ppm", "P3 2 1 255 1 2 3 4 5 6", 1, {4, 5, 6}},
        {"c.pgm", "P5 2 1 255\n\x09\xff", 0, Rgb(3, 9)},
        {"d.pgm", "P6 1 1 255\nABC", 0, {'A', 'B', 'C'}}, // the magic decides, not the ending
        // Comments after the magic, in a row, between tokens; the raster starts
        // after the one whitespace that ends the maximum.
        {"e.pgm", "P5 # hand\n# one\n#two\n  # 3\n2 #w\n#h\n1\n# max\n255\n#\n", 1, Rgb(3, '\n')},
        {"f.ppm", "P6 2 1 255\n\x01\x02", 0, {1, 2, 255}},        // binary cut short: 255
        {"g.ppm", "P6 1 1 255\n\r\n\x1a", 0, {'\r', '\n', 0x1a}}, // CR LF, Ctrl-Z: just bytes
        {"h.pgm", "P2 4 1 255\n10 # c\n 20", 3, Rgb(3, 20)},      // ASCII: the last value repeats
        {"i.ppm", "P3 1 1 255 256 -1 1000000000001", 0, {0, 255, 1}}, // low 8 bits
        {"CAPS.PGM", GreyFour, 1, Rgb(3, 15)}};
    for (const auto& [name, file, x, rgb] : cases) {
        ASSERT_EQ(image.Load(dir.Write(name, file).c_str()), 1) << name;
        EXPECT_EQ(At(image, x, 0), rgb) << name;
    }

    const std::string missing = dir.File("missing.ppm"), type = "PxM::load_PxM(): Type \"";
    const auto absurd = [&](const char* header, const std::string& size) {
        const std::string path = dir.Write(size + ".pgm", header); // refused before allocating
        return std::pair{path, "PxM::load_PxM(): Image " + path + " has an unsupported size " +
                                   size + "\n"};
    };
    const std::pair<std::string, std::string> failures[] = {
        {missing, "PxM::load_PxM(): Couldn't open " + missing},
        {dir.Write("l.ppm", std::string(50, 'Q') + " 1 1 255\n"),
         type + std::string(39, 'Q') + "\" is not supported"},
        {dir.Write("d.ppm", std::string("P6\n1 1\n65535\n\0\0\0\0\0\0", 19)),
         "This implementation only supports 8-bit color component depths!\n"},
        absurd("P5 0 4 255\n", "0x4"),
        absurd("P6 -3 4 255\n", "-3x4"),
        absurd("P5 8193 1 255\n", "8193x1"),
        absurd("P6 2 0 255\n", "2x0"),
        absurd("P2 1 8193 255\n", "1x8193"),
        {dir.Write("p4.pgm", "P4\n8 1\n\x80"), type + "P4\" is not supported"},
        {dir.Write("lower.ppm", "p6 1 1 255\nABC"), type + "p6\" is not supported"},
        {dir.Write("long.ppm", "P6x 1 1 255\nABC"), type + "P6x\" is not supported"},
        {dir.Write("254.pgm", "P5 1 1 254\n\x01"),
         "This implementation only supports 8-bit color component depths!\n"},
        {dir.Write("empty.pgm", ""), type + "255\" is not supported"}, // the last token read
        {dir.Write("p.png", GreyFour), ""}, // refused by its ending, silently
        {dir.Write("noending", GreyFour), ""},
    };
    for (const auto& [path, message] : failures) {
        ASSERT_EQ(image.Load(dir.Write("good.pgm", GreyFour).c_str()), 1);
        testing::internal::CaptureStdout();
        EXPECT_EQ(image.Load(path.c_str()), 0) << path;
        EXPECT_EQ(testing::internal::GetCapturedStdout(), message) << path;
        // Nothing of either file is left to be read past its end.
        EXPECT_TRUE(message.empty() || (image.data == nullptr && At(image, 0, 0) == Red &&
                                        At(image, 0.5, 0.5, true) == Red));
    }
    ASSERT_EQ(image.Load(dir.Write("g.pgm", GreyFour).c_str()), 1);
    // Pixels, then samples, grey or red (-1) when nothing is read: nothing right
    // of or below the last pixel is read, and between -1 and 0 the first two
    // columns extrapolate.
    const std::tuple<double, double, bool, int> edges[] = {
        {3, 3, false, 155},  {-1, 0, false, -1},    {4, 0, false, -1},     {0, -1, false, -1},
        {0, 4, false, -1},   {1.5, 2.0, true, 100}, {0.5, 2.5, true, 110}, {3.7, 3.2, true, 155},
        {-0.5, 0, true, 0},  {-1.0, 0, true, -1},   {0, -1.0, true, -1},   {4.0, 0, true, -1},
        {0, 1e300, true, -1}};
    for (const auto& [x, y, sample, grey] : edges)
        EXPECT_EQ(At(image, x, y, sample), grey < 0 ? Red : Rgb(3, grey)) << x << "," << y;
}

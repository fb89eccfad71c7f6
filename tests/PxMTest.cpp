#include "image/PxM.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}
const Rgb Red{255, 0, 0};

Rgb Pixel(const PxM& image, int x, int y) {
    int rgb[3];
    image.GetPixel(x, y, rgb);
    return {rgb[0], rgb[1], rgb[2]};
}

Rgb Sampled(const PxM& image, double x, double y) {
    int rgb[3];
    image.Sample(x, y, rgb);
    return {rgb[0], rgb[1], rgb[2]};
}

// Loads a file and returns the result together with everything printed.
struct Loaded {
    int result;
    std::string out;
};
Loaded LoadCapturing(PxM& image, const std::string& path) {
    CaptureStdout();
    const int result = image.Load(path.c_str());
    return {result, GetCapturedStdout()};
}

// A 4 x 4 grey image whose pixel (x, y) is 10 * (4 * y + x) + 5.
std::string GreyFour() {
    std::string file = "P5\n4 4\n255\n";
    for (int i = 0; i < 16; ++i)
        file += static_cast<char>(10 * i + 5);
    return file;
}
int GreyFourAt(int x, int y) {
    return 10 * (4 * y + x) + 5;
}

} // namespace

TEST(PxMTest, Load_ReadsEachOfTheFourKinds) {
    TempDir dir;
    PxM image;
    ASSERT_EQ(image.Load(dir.Write("a.pgm", "P2\n2 1\n255\n7 200\n").c_str()), 1);
    EXPECT_EQ(image.isColour, 0);
    EXPECT_EQ(image.rowStride, 2);
    EXPECT_EQ(Pixel(image, 1, 0), (Rgb{200, 200, 200}));

    ASSERT_EQ(image.Load(dir.Write("b.ppm", "P3 1 2 255 1 2 3 4 5 6").c_str()), 1);
    EXPECT_EQ(image.channels, 3);
    EXPECT_EQ(image.size, 6);
    EXPECT_EQ(Pixel(image, 0, 1), (Rgb{4, 5, 6}));

    ASSERT_EQ(image.Load(dir.Write("c.pgm", std::string("P5 2 1 255\n\x09\xff")).c_str()), 1);
    EXPECT_EQ(Pixel(image, 0, 0), (Rgb{9, 9, 9}));

    // The ending only admits the file; the magic decides the kind.
    ASSERT_EQ(image.Load(dir.Write("d.pgm", "P6 1 1 255\nABC").c_str()), 1);
    EXPECT_EQ(image.isColour, 1);
    EXPECT_EQ(Pixel(image, 0, 0), (Rgb{'A', 'B', 'C'}));
}

TEST(PxMTest, Header_CommentsAndTokens) {
    TempDir dir;
    PxM image;
    // Comments after the magic on its line, several in a row, between every
    // token; the binary raster starts right after the one whitespace
    // character that ends the maximum value, even when it is '#' or '\n'.
    const std::string commented = "P5 # made by hand\n# one\n#two\n  # three\n2 #w\n#h\n1\n"
                                  "# max\n255\n#\n";
    ASSERT_EQ(image.Load(dir.Write("c.pgm", commented).c_str()), 1);
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 1);
    EXPECT_EQ(Pixel(image, 0, 0).r, '#');
    EXPECT_EQ(Pixel(image, 1, 0).r, '\n');

    // A '#' inside a token belongs to it.
    Loaded loaded = LoadCapturing(image, dir.Write("h.ppm", "P6#x 1 1 255\nabc"));
    EXPECT_EQ(loaded.result, 0);
    EXPECT_EQ(loaded.out, "PxM::load_PxM(): Type \"P6#x\" is not supported");

    // A token of 50 characters is kept as its first 39.
    const std::string fifty(50, 'Q');
    loaded = LoadCapturing(image, dir.Write("long.ppm", fifty + " 1 1 255\n"));
    EXPECT_EQ(loaded.out,
              "PxM::load_PxM(): Type \"" + std::string(39, 'Q') + "\" is not supported");
}

TEST(PxMTest, Raster_ShortAndOddValues) {
    TempDir dir;
    PxM image;
    // A binary raster cut short reads 255 for what is missing.
    ASSERT_EQ(image.Load(dir.Write("short.ppm", "P6 2 1 255\n\x01\x02").c_str()), 1);
    EXPECT_EQ(Pixel(image, 0, 0), (Rgb{1, 2, 255}));
    EXPECT_EQ(Pixel(image, 1, 0), (Rgb{255, 255, 255}));

    // An ASCII raster cut short repeats its last value.
    ASSERT_EQ(image.Load(dir.Write("short.pgm", "P2 4 1 255\n10 # c\n 20").c_str()), 1);
    EXPECT_EQ(Pixel(image, 1, 0).r, 20);
    EXPECT_EQ(Pixel(image, 3, 0).r, 20);

    // ASCII values keep their low 8 bits, however long they are.
    ASSERT_EQ(image.Load(dir.Write("wide.ppm", "P3 1 1 255 256 -1 1000000000001").c_str()), 1);
    EXPECT_EQ(Pixel(image, 0, 0), (Rgb{0, 255, static_cast<int>(1000000000001LL % 256)}));
}

TEST(PxMTest, Load_AdmitsOnlyPpmAndPgmEndings) {
    TempDir dir;
    PxM image;
    const std::string grey = GreyFour();
    EXPECT_EQ(LoadCapturing(image, dir.Write("CAPS.PGM", grey)).result, 1);
    EXPECT_EQ(LoadCapturing(image, dir.Write("mixed.pPm", grey)).result, 1);
    for (const char* name : {"image.png", "noending", "pgm", "x.pgm.bak"}) {
        const Loaded loaded = LoadCapturing(image, dir.Write(name, grey));
        EXPECT_EQ(loaded.result, 0) << name;
        EXPECT_EQ(loaded.out, "") << name;
    }
    // The last '.' counts, even in a folder name.
    EXPECT_EQ(LoadCapturing(image, dir.Path() + "/a.ppm/b").result, 0);
}

TEST(PxMTest, LoadPxM_FailuresPrintTheirMessages) {
    TempDir dir;
    PxM image;
    const std::string missing = dir.File("missing.ppm");
    EXPECT_EQ(LoadCapturing(image, missing).out, "PxM::load_PxM(): Couldn't open " + missing);

    Loaded loaded = LoadCapturing(image, dir.Write("bitmap.pgm", "P1\n1 1\n1\n"));
    EXPECT_EQ(loaded.result, 0);
    EXPECT_EQ(loaded.out, "PxM::load_PxM(): Type \"P1\" is not supported");

    loaded = LoadCapturing(image, dir.Write("deep.ppm", "P6\n1 1\n65535\n\0\0\0\0\0\0"));
    EXPECT_EQ(loaded.result, 0);
    EXPECT_EQ(loaded.out, "This implementation only supports 8-bit color component depths!\n");

    // An empty file reads no magic, so the message quotes what the last
    // token read left in the shared buffer.
    ASSERT_EQ(image.Load(dir.Write("last.pgm", "P2 1 1 255 77").c_str()), 1);
    loaded = LoadCapturing(image, dir.Write("empty.ppm", ""));
    EXPECT_EQ(loaded.result, 0);
    EXPECT_EQ(loaded.out, "PxM::load_PxM(): Type \"77\" is not supported");
}

TEST(PxMTest, LoadPxM_RefusesAbsurdSizesWithoutAllocating) {
    TempDir dir;
    PxM image;
    const struct {
        const char* header;
        const char* size;
    } cases[] = {{"P5 0 4 255\n", "0x4"},
                 {"P5 4 0 255\n", "4x0"},
                 {"P6 -3 4 255\n", "-3x4"},
                 {"P5 8193 1 255\n", "8193x1"},
                 {"P6 65536 65536 255\n", "65536x65536"},
                 {"P5 99999999999 2 255\n", "2147483647x2"},
                 {"P2 x y 255\n", "0x0"}};
    for (const auto& c : cases) {
        ASSERT_EQ(image.Load(dir.Write("good.pgm", GreyFour()).c_str()), 1);
        const std::string path = dir.Write("absurd.pgm", c.header);
        const Loaded loaded = LoadCapturing(image, path);
        EXPECT_EQ(loaded.result, 0) << c.header;
        EXPECT_EQ(loaded.out,
                  "PxM::load_PxM(): Image " + path + " has an unsupported size " + c.size + "\n");
        // Nothing of the failed file, nor of the good one before it, is left
        // to be read past its end.
        EXPECT_EQ(image.data, nullptr);
        EXPECT_EQ(image.width, 0);
        EXPECT_EQ(Pixel(image, 0, 0), Red);
        EXPECT_EQ(Sampled(image, 0.5, 0.5), Red);
    }
    // The largest side still allowed loads (and reads 255 past the end).
    ASSERT_EQ(image.Load(dir.Write("tall.pgm", "P5 1 8192 255\n").c_str()), 1);
    EXPECT_EQ(Pixel(image, 0, 8191).r, 255);
}

TEST(PxMTest, PixelsAndSamples_AtTheEdges) {
    TempDir dir;
    PxM image;
    EXPECT_EQ(Pixel(image, 0, 0), Red);
    ASSERT_EQ(image.Load(dir.Write("g.pgm", GreyFour()).c_str()), 1);
    const auto grey = [](int v) { return Rgb{v, v, v}; };
    EXPECT_EQ(Pixel(image, 3, 3), grey(GreyFourAt(3, 3)));
    for (const auto& [x, y] : {std::pair{-1, 0}, {4, 0}, {0, -1}, {0, 4}})
        EXPECT_EQ(Pixel(image, x, y), Red) << x << "," << y;

    EXPECT_EQ(Sampled(image, 1.5, 2.0), grey((GreyFourAt(1, 2) + GreyFourAt(2, 2)) / 2));
    EXPECT_EQ(Sampled(image, 3.7, 3.2), grey(GreyFourAt(3, 3)));
    EXPECT_EQ(
        Sampled(image, 0.5, 2.5),
        grey((GreyFourAt(0, 2) + GreyFourAt(1, 2) + GreyFourAt(0, 3) + GreyFourAt(1, 3)) / 4));
    // Last column: no column to the right is read, whatever the fraction.
    EXPECT_EQ(Sampled(image, 3.5, 1.5), grey((GreyFourAt(3, 1) + GreyFourAt(3, 2)) / 2));
    // Last row: no row below.
    EXPECT_EQ(Sampled(image, 0.25, 3.9), grey(GreyFourAt(0, 3) + 2));
    // Between -1 and 0 the first two columns or rows are extended.
    EXPECT_EQ(Sampled(image, -0.5, 0), grey(0));
    EXPECT_EQ(Sampled(image, 0, -0.5), grey(-15));
    EXPECT_EQ(Sampled(image, -1.0, 0), Red);
    EXPECT_EQ(Sampled(image, 0, -1.0), Red);
    EXPECT_EQ(Sampled(image, 4.0, 0), Red);
    EXPECT_EQ(Sampled(image, 0, 1e300), Red);

    // Colour channels are sampled apart, and extrapolation may leave 0..255.
    ASSERT_EQ(image.Load(dir.Write("c.ppm", "P3 2 1 255 250 0 100 0 250 100").c_str()), 1);
    EXPECT_EQ(Sampled(image, 0.5, 0), (Rgb{125, 125, 100}));
    EXPECT_EQ(Sampled(image, -0.5, 0), (Rgb{375, -125, 100}));
}

TEST(PxMTest, MalformedFiles_LoadSafely) {
    // Hand-made broken images kept with the tests; the sanitizer build runs
    // this too.
    const std::string folder = GLYPHTUMBLE_SOURCE_DIR "/tests/data/images/";
    const struct {
        const char* name;
        int result;
    } cases[] = {{"truncated.ppm", 1},     {"truncated-ascii.pgm", 1}, {"wrong-magic.pgm", 0},
                 {"bitmap.pgm", 0},        {"sixteen-bit.ppm", 0},     {"huge.ppm", 0},
                 {"zero-width.pgm", 0},    {"negative.pgm", 0},        {"overflow.ppm", 0},
                 {"empty.pgm", 0},         {"garbage.ppm", 0},         {"header-only.ppm", 1},
                 {"comment-to-end.pgm", 0}};
    for (const auto& c : cases) {
        PxM image;
        CaptureStdout();
        EXPECT_EQ(image.Load((folder + c.name).c_str()), c.result) << c.name;
        GetCapturedStdout();
        int rgb[3];
        for (int y = -1; y <= image.height; ++y)
            for (int x = -1; x <= image.width; ++x) {
                image.GetPixel(x, y, rgb);
                image.Sample(x + 0.5, y - 0.5, rgb);
            }
        if (c.result == 1) {
            EXPECT_EQ(image.size, image.width * image.height * image.channels) << c.name;
        }
    }
}

// Makes the game's four images into one folder at build time:
//
//   font.pgm    P5, 512 x 512: 96 glyph cells of 29 x 69 pixels, 14 to a row
//               from the top-left corner, characters 32 to 127, bright on black
//   font-latin1.pgm  P5, 512 x 1024: the same 96 cells, pixel for pixel,
//               then 96 more for Latin-1's 160 to 255, for the other languages
//   tile.ppm    P6, 128 x 128: the face of a letter block
//   water.ppm   P6, 128 x 128: rippled water
//   coarse.ppm  P6, 256 x 256: rough stone for walls, floor and panels
//
// Usage: make_images <TrueType font> <output folder>
//
// Everything is computed from fixed numbers and one seeded generator of our
// own, so every build writes the same bytes. The three pictures tile without
// seams: every wave and every noise lattice has a whole number of periods
// across the image.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr double Pi = 3.14159265358979323846;

// ---------------------------------------------------------------------------
// Images and files

struct Image {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<unsigned char> bytes;

    Image(int w, int h, int c)
        : width(w), height(h), channels(c), bytes(static_cast<std::size_t>(w * h * c), 0) {}
    unsigned char* At(int x, int y) {
        return bytes.data() + (static_cast<std::size_t>(y) * width + x) * channels;
    }
};

bool Write(const Image& image, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "make_images: can't write %s\n", path.c_str());
        return false;
    }
    std::fprintf(file, "P%d\n%d %d\n255\n", image.channels == 1 ? 5 : 6, image.width, image.height);
    const bool written =
        std::fwrite(image.bytes.data(), 1, image.bytes.size(), file) == image.bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::fprintf(stderr, "make_images: failed writing %s\n", path.c_str());
        return false;
    }
    return true;
}

unsigned char ToByte(double v) {
    return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0, 255.0)));
}

// ---------------------------------------------------------------------------
// Deterministic randomness and periodic noise

// SplitMix64: small, fast and the same everywhere, unlike rand().
class Random {
  public:
    explicit Random(std::uint64_t seed) : state(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

  private:
    std::uint64_t state;
};

double Smooth(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

// Value noise on a square lattice of period x period points that wraps, so a
// picture sampled over exactly one period repeats seamlessly.
class PeriodicNoise {
  public:
    PeriodicNoise(int period, Random& random) : period(period), values(period * period) {
        for (double& v : values)
            v = random.Unit() * 2.0 - 1.0;
    }
    // u and v in [0, 1) cover one period; result in [-1, 1].
    double At(double u, double v) const {
        const double x = u * period;
        const double y = v * period;
        const int x0 = static_cast<int>(std::floor(x));
        const int y0 = static_cast<int>(std::floor(y));
        const double fx = Smooth(x - x0);
        const double fy = Smooth(y - y0);
        const double a = Value(x0, y0) + (Value(x0 + 1, y0) - Value(x0, y0)) * fx;
        const double b = Value(x0, y0 + 1) + (Value(x0 + 1, y0 + 1) - Value(x0, y0 + 1)) * fx;
        return a + (b - a) * fy;
    }

  private:
    double Value(int x, int y) const {
        x = ((x % period) + period) % period;
        y = ((y % period) + period) % period;
        return values[static_cast<std::size_t>(y * period + x)];
    }
    int period;
    std::vector<double> values;
};

// Sum of octaves, the first with the given lattice period, each further one
// twice as fine and `falloff` as strong. Result roughly in [-1, 1].
class Fractal {
  public:
    Fractal(int firstPeriod, int octaves, double falloff, Random& random) {
        double amplitude = 1.0;
        for (int i = 0; i < octaves; ++i) {
            layers.emplace_back(firstPeriod << i, random);
            amplitudes.push_back(amplitude);
            total += amplitude;
            amplitude *= falloff;
        }
    }
    double At(double u, double v) const {
        double sum = 0.0;
        for (std::size_t i = 0; i < layers.size(); ++i)
            sum += layers[i].At(u, v) * amplitudes[i];
        return sum / total;
    }

  private:
    std::vector<PeriodicNoise> layers;
    std::vector<double> amplitudes;
    double total = 0.0;
};

// ---------------------------------------------------------------------------
// font.pgm

constexpr int FontSize = 512;
constexpr int Latin1FontHeight = 1024;
constexpr int Latin1GlyphCount = 192;
constexpr int UpperHalf = 160; // Latin-1's first code after the control codes
constexpr int CellWidth = 29;
constexpr int CellHeight = 69;
constexpr int CellsPerRow = 14;
constexpr int FirstChar = 32;
constexpr int GlyphCount = 96;
// Empty pixels kept on every side of a glyph, so that linear filtering at a
// cell's edge never picks up its neighbour.
constexpr int Margin = 1;

struct GlyphBox {
    int width;
    int rows;
    int top; // rows above the baseline
};

GlyphBox Measure(FT_Face face, int ch) {
    if (FT_Load_Char(face, static_cast<FT_ULong>(ch), FT_LOAD_RENDER) != 0)
        return {0, 0, 0};
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    return {static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows), face->glyph->bitmap_top};
}

// Where the baseline lies, in rows from the top of a cell, when capitals are
// centred vertically (the letters on the blocks are drawn in capitals).
int Baseline(FT_Face face) {
    const GlyphBox h = Measure(face, 'H');
    return (CellHeight + h.rows + 1) / 2;
}

bool FitsHeight(FT_Face face) {
    const int baseline = Baseline(face);
    for (int ch = FirstChar + 1; ch < FirstChar + GlyphCount - 1; ++ch) {
        const GlyphBox box = Measure(face, ch);
        if (box.rows == 0)
            continue;
        const int top = baseline - box.top;
        if (top < Margin || top + box.rows > CellHeight - Margin)
            return false;
    }
    return true;
}

bool FitsWidth(FT_Face face) {
    for (int ch = FirstChar + 1; ch < FirstChar + GlyphCount - 1; ++ch)
        if (Measure(face, ch).width > CellWidth - 2 * Margin)
            return false;
    return true;
}

// The character in cell k of the Latin-1 sheet; the first 96 are font.pgm's.
int CellCharacter(int k) {
    return k < GlyphCount ? FirstChar + k : UpperHalf + k - GlyphCount;
}

// Whether every Latin-1 glyph from 160 up, accented capitals included, lies
// inside its cell at the size the ASCII glyphs chose.
bool UpperHalfFits(FT_Face face) {
    const int baseline = Baseline(face);
    for (int ch = UpperHalf; ch < 256; ++ch) {
        const GlyphBox box = Measure(face, ch);
        if (box.rows == 0)
            continue;
        const int top = baseline - box.top;
        if (top < 0 || top + box.rows > CellHeight || box.width > CellWidth) {
            std::fprintf(stderr, "make_images: the glyph for %d doesn't fit its cell\n", ch);
            return false;
        }
    }
    return true;
}

bool MakeFont(const std::string& fontFile, const std::string& path, const std::string& latin1Path) {
    FT_Library library;
    if (FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "make_images: FreeType won't start\n");
        return false;
    }
    FT_Face face;
    if (FT_New_Face(library, fontFile.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "make_images: can't read the font %s\n", fontFile.c_str());
        FT_Done_FreeType(library);
        return false;
    }

    // The cells are tall and narrow, so the glyphs are scaled separately in
    // each direction: as tall as lets every glyph stay inside its cell with
    // capitals centred, then as wide as the widest glyph allows.
    int pixelHeight = CellHeight;
    int pixelWidth = CellHeight;
    for (;;) {
        FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(pixelHeight),
                           static_cast<FT_UInt>(pixelHeight));
        while (pixelHeight > 8 && !FitsHeight(face)) {
            --pixelHeight;
            FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(pixelHeight),
                               static_cast<FT_UInt>(pixelHeight));
        }
        pixelWidth = pixelHeight;
        FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(pixelWidth),
                           static_cast<FT_UInt>(pixelHeight));
        while (pixelWidth > 4 && !FitsWidth(face)) {
            --pixelWidth;
            FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(pixelWidth),
                               static_cast<FT_UInt>(pixelHeight));
        }
        // Narrowing can move the hinted outlines a pixel; start again lower
        // in the rare case that it pushes a glyph out of its cell.
        if (FitsHeight(face) || pixelHeight <= 8)
            break;
        --pixelHeight;
    }

    // Both sheets are drawn at the size chosen for ASCII, so that English's
    // font.pgm is the same whether or not the other languages are built.
    if (!UpperHalfFits(face)) {
        FT_Done_Face(face);
        FT_Done_FreeType(library);
        return false;
    }
    // The first 96 cells go to both sheets; the cells beyond them start in
    // font.pgm's last row, which must stay clear there.
    Image ascii(FontSize, FontSize, 1);
    Image sheet(FontSize, Latin1FontHeight, 1);
    const auto put = [&](int k, int x, int y, unsigned char value) {
        *sheet.At(x, y) = value;
        if (k < GlyphCount)
            *ascii.At(x, y) = value;
    };
    const int baseline = Baseline(face);
    const int capRows = Measure(face, 'H').rows;
    for (int k = 0; k < Latin1GlyphCount; ++k) {
        const int cellX = (k % CellsPerRow) * CellWidth;
        const int cellY = (k / CellsPerRow) * CellHeight;
        const int ch = CellCharacter(k);
        if (ch == 127) {
            // DEL has no glyph in the font: a small solid block, a capital's
            // height, standing on the baseline.
            const int blockWidth = (CellWidth * 3) / 5;
            const int left = cellX + (CellWidth - blockWidth) / 2;
            for (int y = baseline - capRows; y < baseline; ++y)
                for (int x = 0; x < blockWidth; ++x)
                    put(k, left + x, cellY + y, 255);
            continue;
        }
        if (FT_Load_Char(face, static_cast<FT_ULong>(ch), FT_LOAD_RENDER) != 0) {
            std::fprintf(stderr, "make_images: the font has no glyph for %d\n", ch);
            FT_Done_Face(face);
            FT_Done_FreeType(library);
            return false;
        }
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        const int left = cellX + (CellWidth - static_cast<int>(bitmap.width)) / 2;
        const int top = cellY + baseline - face->glyph->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row)
            for (unsigned column = 0; column < bitmap.width; ++column)
                put(k, left + static_cast<int>(column), top + static_cast<int>(row),
                    bitmap.buffer[static_cast<int>(row) * bitmap.pitch + static_cast<int>(column)]);
    }
    std::printf("make_images: glyphs %d x %d pixels per em, capitals %d rows high\n", pixelWidth,
                pixelHeight, capRows);

    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return Write(ascii, path) && Write(sheet, latin1Path);
}

// ---------------------------------------------------------------------------
// tile.ppm

constexpr int TileSize = 128;

bool MakeTile(const std::string& path) {
    Random random(0x7115);
    const Fractal grain(8, 4, 0.5, random);
    Image tile(TileSize, TileSize, 3);

    // A raised face: a bevel lit from the upper left, and a thin dark rim at
    // the very edge so that neighbouring blocks read as separate.
    constexpr double Face = 236.0;
    constexpr double Bevel = 11.0;
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            const double distances[4] = {x + 0.5, TileSize - (x + 0.5), y + 0.5,
                                         TileSize - (y + 0.5)};
            // Light on the left and top slopes, shade on the right and bottom.
            const double slopeLight[4] = {0.07, -0.16, 0.11, -0.24};
            int nearest = 0;
            for (int i = 1; i < 4; ++i)
                if (distances[i] < distances[nearest])
                    nearest = i;
            const double d = distances[nearest];

            double value =
                Face * (1.0 + 0.018 * grain.At(x / double(TileSize), y / double(TileSize)));
            if (d < Bevel) {
                const double slope = 1.0 - Smooth(d / Bevel);
                value *= 1.0 + slopeLight[nearest] * (0.35 + 0.65 * slope);
            }
            if (d < 2.0)
                value *= 0.55 + 0.2 * (d - 0.5);

            // Nearly neutral, a touch warm, so a block's colour shows true.
            unsigned char* p = tile.At(x, y);
            p[0] = ToByte(value);
            p[1] = ToByte(value * 0.99);
            p[2] = ToByte(value * 0.965);
        }
    return Write(tile, path);
}

// ---------------------------------------------------------------------------
// water.ppm

constexpr int WaterSize = 128;

bool MakeWater(const std::string& path) {
    Random random(0x3A7E4);
    // Two sets of crossing waves, bent by a slow noise so that the crests
    // wander; every wave has whole numbers of periods across the image.
    struct Wave {
        int kx, ky;
        double phase;
    };
    const int directions[][2] = {{2, 1}, {-1, 3}, {3, -2}, {1, 2}};
    std::vector<Wave> waves;
    for (const auto& k : directions)
        waves.push_back({k[0], k[1], random.Unit() * 2.0 * Pi});
    const Fractal bend(2, 2, 0.5, random);
    const Fractal swell(2, 3, 0.5, random);

    Image water(WaterSize, WaterSize, 3);
    for (int y = 0; y < WaterSize; ++y)
        for (int x = 0; x < WaterSize; ++x) {
            const double u = x / double(WaterSize);
            const double v = y / double(WaterSize);
            const double warp = 2.5 * bend.At(u, v);
            double crest = 0.0;
            for (std::size_t i = 0; i < waves.size(); i += 2) {
                // Where two crossing waves meet in phase the light gathers
                // into a thin bright line.
                const Wave& a = waves[i];
                const Wave& b = waves[i + 1];
                const double sum = std::sin(2.0 * Pi * (a.kx * u + a.ky * v) + a.phase + warp) +
                                   std::sin(2.0 * Pi * (b.kx * u + b.ky * v) + b.phase - warp);
                crest += std::pow(1.0 - std::fabs(sum) / 2.0, 7.0);
            }
            crest = std::min(1.0, crest);
            const double depth = 0.5 + 0.5 * swell.At(u, v);

            unsigned char* p = water.At(x, y);
            p[0] = ToByte(50 + 40 * depth + 150 * crest);
            p[1] = ToByte(115 + 50 * depth + 110 * crest);
            p[2] = ToByte(185 + 40 * depth + 50 * crest);
        }
    return Write(water, path);
}

// ---------------------------------------------------------------------------
// coarse.ppm

constexpr int CoarseSize = 256;

bool MakeCoarse(const std::string& path) {
    Random random(0xC0A25E);
    const Fractal stone(6, 5, 0.6, random);
    const Fractal slant(4, 4, 0.6, random);
    const Fractal pits(16, 3, 0.6, random);
    Image coarse(CoarseSize, CoarseSize, 3);

    for (int y = 0; y < CoarseSize; ++y)
        for (int x = 0; x < CoarseSize; ++x) {
            const double u = x / double(CoarseSize);
            const double v = y / double(CoarseSize);
            // The second layer runs along the diagonals (still one period
            // across the image), which hides the square lattice of the first.
            double value = 150.0 + 35.0 * stone.At(u, v) + 35.0 * slant.At(u + v, v - u);
            // Scattered small pits and a fine grit keep it from looking flat.
            const double pit = pits.At(u, v);
            if (pit < -0.45)
                value -= 45.0 * Smooth(std::min(1.0, (-0.45 - pit) / 0.2));
            value += (random.Unit() - 0.5) * 14.0;
            value = std::clamp(value, 70.0, 200.0);

            unsigned char* p = coarse.At(x, y);
            p[0] = ToByte(value);
            p[1] = ToByte(value * 0.96);
            p[2] = ToByte(value * 0.9);
        }

    // The game resamples this image to 128 x 128, and the top texture row
    // extrapolates half a pixel above the image: 1.5 times row 0 less half of
    // row 1. Make sure that never leaves 0..255, where it would wrap around.
    for (int x = 0; x < CoarseSize; ++x)
        for (int c = 0; c < 3; ++c) {
            const int extrapolated = (3 * coarse.At(x, 0)[c] - coarse.At(x, 1)[c]) / 2;
            if (extrapolated < 0 || extrapolated > 255) {
                std::fprintf(stderr, "make_images: coarse.ppm would wrap in its top row\n");
                return false;
            }
        }
    return Write(coarse, path);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_images <TrueType font> <output folder>\n");
        return 2;
    }
    const std::string folder = std::string(argv[2]) + "/";
    const bool made = MakeFont(argv[1], folder + "font.pgm", folder + "font-latin1.pgm") &&
                      MakeTile(folder + "tile.ppm") && MakeWater(folder + "water.ppm") &&
                      MakeCoarse(folder + "coarse.ppm");
    return made ? 0 : 1;
}

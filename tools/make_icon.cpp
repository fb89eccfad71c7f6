// make_icon: draws the game's desktop icon, one letter block with a "G" on
// it, as a square RGBA PNG of the given size.
//
//   make_icon FONT.ttf SIZE OUT.png
//
// The block is a bevelled square lit from the upper left, like the blocks in
// the well: a light top and left edge, a dark bottom and right edge, a face
// that darkens slightly downwards, and an engraved letter (a thin light rim
// below and to the right of the dark glyph). Outside the block the icon is
// transparent. Edges are smoothed by sampling each pixel on a 4 x 4 grid.

#include <ft2build.h>
#include FT_FREETYPE_H
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Colour {
    float r, g, b, a;
};

// The block's colours: an amber face, its lit and shaded bevels, and the
// dark brown of the letter.
constexpr Colour FaceTop{0.98f, 0.78f, 0.34f, 1.0f};
constexpr Colour FaceBottom{0.88f, 0.60f, 0.20f, 1.0f};
constexpr Colour BevelLit{1.00f, 0.92f, 0.62f, 1.0f};
constexpr Colour BevelSide{0.80f, 0.52f, 0.16f, 1.0f};
constexpr Colour BevelShaded{0.55f, 0.32f, 0.08f, 1.0f};
constexpr Colour Letter{0.28f, 0.14f, 0.04f, 1.0f};
constexpr Colour LetterRim{1.00f, 0.90f, 0.62f, 1.0f};

constexpr int SuperSamples = 4;          // per axis
constexpr float MarginShare = 1.0f / 32; // transparent border around the block
constexpr float BevelShare = 1.0f / 9;   // bevel width as a share of the size
constexpr float GlyphShare = 0.9f;       // font pixel size as a share of the face

constexpr int MinSize = 16;
constexpr int MaxSize = 1024;

Colour Mix(const Colour& a, const Colour& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

// Paints colour with coverage alpha over what is there (straight alpha).
void Over(Colour& dst, const Colour& src, float coverage) {
    const float a = src.a * coverage;
    const float outA = a + dst.a * (1 - a);
    if (outA <= 0) {
        dst = {0, 0, 0, 0};
        return;
    }
    dst.r = (src.r * a + dst.r * dst.a * (1 - a)) / outA;
    dst.g = (src.g * a + dst.g * dst.a * (1 - a)) / outA;
    dst.b = (src.b * a + dst.b * dst.a * (1 - a)) / outA;
    dst.a = outA;
}

// The block's colour at a point (x, y in pixels, y downwards), or a fully
// transparent colour outside it.
Colour BlockAt(float x, float y, float size) {
    const float lo = size * MarginShare;
    const float hi = size - lo;
    if (x < lo || y < lo || x >= hi || y >= hi)
        return {0, 0, 0, 0};
    const float bevel = size * BevelShare;
    const float left = x - lo, top = y - lo, right = hi - x, bottom = hi - y;
    const float nearest = std::min(std::min(left, top), std::min(right, bottom));
    if (nearest >= bevel) {
        const float t = (y - lo - bevel) / (hi - lo - 2 * bevel);
        return Mix(FaceTop, FaceBottom, std::clamp(t, 0.0f, 1.0f));
    }
    // The nearest edge decides the bevel facet, so the facets meet on the
    // diagonals as on a real chamfered block.
    if (nearest == top)
        return BevelLit;
    if (nearest == left)
        return Mix(BevelLit, BevelSide, 0.35f);
    if (nearest == right)
        return BevelSide;
    return BevelShaded;
}

class Glyph {
  public:
    bool Load(const char* fontFile, int pixelHeight) {
        if (FT_Init_FreeType(&library) != 0)
            return false;
        if (FT_New_Face(library, fontFile, 0, &face) != 0)
            return false;
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight)) != 0)
            return false;
        return FT_Load_Char(face, 'G', FT_LOAD_RENDER) == 0 &&
               face->glyph->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY;
    }
    ~Glyph() {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
    int Width() const { return static_cast<int>(face->glyph->bitmap.width); }
    int Rows() const { return static_cast<int>(face->glyph->bitmap.rows); }
    // Coverage 0 to 1 at a bitmap pixel; 0 outside the bitmap.
    float At(int x, int y) const {
        const FT_Bitmap& b = face->glyph->bitmap;
        if (x < 0 || y < 0 || x >= Width() || y >= Rows())
            return 0;
        return b.buffer[y * b.pitch + x] / 255.0f;
    }

  private:
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

void PutU32(std::vector<unsigned char>& out, std::uint32_t v) {
    out.push_back(static_cast<unsigned char>(v >> 24));
    out.push_back(static_cast<unsigned char>(v >> 16));
    out.push_back(static_cast<unsigned char>(v >> 8));
    out.push_back(static_cast<unsigned char>(v));
}

void PutChunk(std::vector<unsigned char>& out, const char* type,
              const std::vector<unsigned char>& data) {
    PutU32(out, static_cast<std::uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    // The checksum covers the chunk type and its data, not the length.
    const uLong crc = crc32(0, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
    PutU32(out, static_cast<std::uint32_t>(crc));
}

// A PNG of 8-bit RGBA rows, every row with filter type 0 (none).
bool WritePng(const std::string& file, int size, const std::vector<unsigned char>& rgba) {
    std::vector<unsigned char> raw;
    raw.reserve(static_cast<size_t>(size) * (size * 4 + 1));
    for (int y = 0; y < size; ++y) {
        raw.push_back(0);
        const auto row = rgba.begin() + static_cast<long>(y) * size * 4;
        raw.insert(raw.end(), row, row + size * 4);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<unsigned char> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) !=
        Z_OK)
        return false;
    packed.resize(packedSize);

    std::vector<unsigned char> header;
    PutU32(header, static_cast<std::uint32_t>(size));
    PutU32(header, static_cast<std::uint32_t>(size));
    header.push_back(8); // bits per channel
    header.push_back(6); // colour type: RGB with alpha
    header.push_back(0); // deflate
    header.push_back(0); // adaptive filtering
    header.push_back(0); // no interlace

    std::vector<unsigned char> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});

    FILE* out = std::fopen(file.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), out) == png.size();
    return std::fclose(out) == 0 && written;
}

unsigned char ToByte(float v) {
    return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_icon FONT.ttf SIZE OUT.png\n");
        return 2;
    }
    const int size = std::atoi(argv[2]);
    if (size < MinSize || size > MaxSize) {
        std::fprintf(stderr, "make_icon: size %s is not within %d to %d\n", argv[2], MinSize,
                     MaxSize);
        return 2;
    }
    const float fsize = static_cast<float>(size);
    const float faceSide = fsize * (1 - 2 * MarginShare - 2 * BevelShare);

    Glyph glyph;
    if (!glyph.Load(argv[1], static_cast<int>(std::lround(faceSide * GlyphShare)))) {
        std::fprintf(stderr, "make_icon: can't render a G from %s\n", argv[1]);
        return 1;
    }
    // The glyph's inked box sits in the middle of the block; the engraved
    // rim is the glyph again, offset down and right by a hair.
    const int glyphX = (size - glyph.Width()) / 2;
    const int glyphY = (size - glyph.Rows()) / 2;
    const int rim = std::max(1, size / 64);

    std::vector<unsigned char> rgba(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Colour sum{0, 0, 0, 0};
            for (int sy = 0; sy < SuperSamples; ++sy) {
                for (int sx = 0; sx < SuperSamples; ++sx) {
                    const Colour c = BlockAt(x + (sx + 0.5f) / SuperSamples,
                                             y + (sy + 0.5f) / SuperSamples, fsize);
                    // Sum premultiplied, so transparent samples add no colour.
                    sum.r += c.r * c.a;
                    sum.g += c.g * c.a;
                    sum.b += c.b * c.a;
                    sum.a += c.a;
                }
            }
            Colour pixel{0, 0, 0, 0};
            if (sum.a > 0)
                pixel = {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a,
                         sum.a / (SuperSamples * SuperSamples)};
            Over(pixel, LetterRim, 0.8f * glyph.At(x - glyphX - rim, y - glyphY - rim));
            Over(pixel, Letter, glyph.At(x - glyphX, y - glyphY));

            unsigned char* p = &rgba[(static_cast<size_t>(y) * size + x) * 4];
            p[0] = ToByte(pixel.r);
            p[1] = ToByte(pixel.g);
            p[2] = ToByte(pixel.b);
            p[3] = ToByte(pixel.a);
        }
    }
    if (!WritePng(argv[3], size, rgba)) {
        std::fprintf(stderr, "make_icon: can't write %s\n", argv[3]);
        return 1;
    }
    return 0;
}

// make_icon: draws the game's desktop icon, one letter block with a "G" on
// it, as a square RGBA PNG of the given size, or as a Windows .ico holding it
// at each of the given sizes.
//
//   make_icon FONT.ttf SIZE OUT.png
//   make_icon FONT.ttf SIZE,SIZE,... OUT.ico
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

// A PNG of 8-bit RGBA rows, every row with filter type 0 (none); empty when
// the compression fails.
std::vector<unsigned char> EncodePng(int size, const std::vector<unsigned char>& rgba) {
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
        return {};
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
    return png;
}

void PutLE(std::vector<unsigned char>& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

// An .ico image as Windows' own icons hold it: the 256 px one as a PNG, the
// smaller ones as 32-bit bitmaps that every Windows reads, rows bottom up,
// followed by the 1-bit mask of the transparent pixels the format asks for.
std::vector<unsigned char> EncodeIcoImage(int size, const std::vector<unsigned char>& rgba) {
    if (size >= 256)
        return EncodePng(size, rgba);
    const int maskPitch = (size + 31) / 32 * 4;
    std::vector<unsigned char> dib;
    PutLE(dib, 40, 4);       // the header's size
    PutLE(dib, size, 4);     // width
    PutLE(dib, 2 * size, 4); // the colour rows and the mask rows
    PutLE(dib, 1, 2);        // planes
    PutLE(dib, 32, 2);       // bits per pixel
    PutLE(dib, 0, 4);        // no compression
    PutLE(dib, static_cast<std::uint32_t>(size * (size * 4 + maskPitch)), 4);
    PutLE(dib, 0, 16); // resolution and palette: unused
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const unsigned char* p = &rgba[(static_cast<size_t>(y) * size + x) * 4];
            dib.insert(dib.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<unsigned char> row(static_cast<size_t>(maskPitch), 0);
        for (int x = 0; x < size; ++x)
            if (rgba[(static_cast<size_t>(y) * size + x) * 4 + 3] == 0)
                row[static_cast<size_t>(x / 8)] |= static_cast<unsigned char>(0x80 >> (x % 8));
        dib.insert(dib.end(), row.begin(), row.end());
    }
    return dib;
}

// The .ico container: a directory of the images, then the images.
std::vector<unsigned char> EncodeIco(const std::vector<int>& sizes,
                                     const std::vector<std::vector<unsigned char>>& images) {
    std::vector<unsigned char> ico;
    PutLE(ico, 0, 2); // reserved
    PutLE(ico, 1, 2); // an icon, not a cursor
    PutLE(ico, static_cast<std::uint32_t>(sizes.size()), 2);
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        const unsigned char side = static_cast<unsigned char>(sizes[i] >= 256 ? 0 : sizes[i]);
        ico.insert(ico.end(), {side, side, 0, 0}); // 0 means 256; no palette
        PutLE(ico, 1, 2);                            // planes
        PutLE(ico, 32, 2);                           // bits per pixel
        PutLE(ico, static_cast<std::uint32_t>(images[i].size()), 4);
        PutLE(ico, offset, 4);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images)
        ico.insert(ico.end(), image.begin(), image.end());
    return ico;
}

bool WriteFile(const std::string& file, const std::vector<unsigned char>& bytes) {
    FILE* out = std::fopen(file.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written && !bytes.empty();
}

unsigned char ToByte(float v) {
    return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
}

// The icon at one size as RGBA rows, top first; empty when the font fails.
std::vector<unsigned char> DrawIcon(const char* fontFile, int size) {
    const float fsize = static_cast<float>(size);
    const float faceSide = fsize * (1 - 2 * MarginShare - 2 * BevelShare);

    Glyph glyph;
    if (!glyph.Load(fontFile, static_cast<int>(std::lround(faceSide * GlyphShare))))
        return {};
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
    return rgba;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_icon FONT.ttf SIZE OUT.png\n"
                             "       make_icon FONT.ttf SIZE,SIZE,... OUT.ico\n");
        return 2;
    }
    const std::string out = argv[3];
    const bool ico = EndsWith(out, ".ico");
    std::vector<int> sizes;
    for (const char* p = argv[2]; *p != '\0';) {
        char* end;
        const long size = std::strtol(p, &end, 10);
        if (end == p || (*end != ',' && *end != '\0') || size < MinSize || size > MaxSize ||
            (ico && size > 256)) {
            std::fprintf(stderr, "make_icon: size %s is not within %d to %d (256 for an .ico)\n",
                         argv[2], MinSize, MaxSize);
            return 2;
        }
        sizes.push_back(static_cast<int>(size));
        p = *end == ',' ? end + 1 : end;
    }
    if (sizes.empty() || (!ico && sizes.size() > 1)) {
        std::fprintf(stderr, "make_icon: a PNG holds one size, an .ico one or more\n");
        return 2;
    }

    std::vector<std::vector<unsigned char>> images;
    for (const int size : sizes) {
        const std::vector<unsigned char> rgba = DrawIcon(argv[1], size);
        if (rgba.empty()) {
            std::fprintf(stderr, "make_icon: can't render a G from %s\n", argv[1]);
            return 1;
        }
        images.push_back(ico ? EncodeIcoImage(size, rgba) : EncodePng(size, rgba));
    }
    if (!WriteFile(out, ico ? EncodeIco(sizes, images) : images.front())) {
        std::fprintf(stderr, "make_icon: can't write %s\n", argv[3]);
        return 1;
    }
    return 0;
}

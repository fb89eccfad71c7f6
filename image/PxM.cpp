#include "image/PxM.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <strings.h>

#include "data/OpenRegularFile.h"

namespace {

// One token buffer for every PxM. Its size is part of the file format the
// game accepts: tokens are cut at 39 characters. Because a read that finds no
// token leaves it as it was, an ASCII raster that ends early repeats its last
// value, and an empty file is reported with whatever an earlier load left.
char tokenBuffer[40];
constexpr int TokenCapacity = sizeof(tokenBuffer) - 1;

// Widths and heights beyond this are refused before anything is allocated:
// no image of the game comes near it, and 8192 x 8192 x 3 still fits the
// 32-bit size.
constexpr int MaxImageSide = 8192;

bool IsSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads the next whitespace-separated token into tokenBuffer, skipping
// comments that start where a token would. False at the end of the file, with
// the buffer left unchanged.
bool ReadToken(std::FILE* file) {
    int c = std::getc(file);
    while (IsSpace(c))
        c = std::getc(file);
    while (c == '#') {
        while (c != '\n' && c != EOF)
            c = std::getc(file);
        while (IsSpace(c))
            c = std::getc(file);
    }
    if (c == EOF)
        return false;

    int length = 0;
    while (c != EOF && !IsSpace(c)) {
        if (length < TokenCapacity)
            tokenBuffer[length++] = static_cast<char>(c);
        c = std::getc(file);
    }
    tokenBuffer[length] = '\0';
    return true;
}

// Reads leading decimal digits as atoi does (optional sign; none gives 0),
// but saturates instead of overflowing so that an absurd size stays absurd.
int ParseInt(const char* text) {
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

// The low 8 bits of the token's decimal value (as atoi would read it), exact
// for any number of digits.
unsigned char ParseLowByte(const char* text) {
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    unsigned value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = (value * 10 + static_cast<unsigned>(*text - '0')) & 0xFFu;
    return static_cast<unsigned char>(negative ? (0u - value) & 0xFFu : value);
}

} // namespace

PxM::PxM() : data(nullptr), width(0), height(0), isColour(0), size(0), channels(0), rowStride(0) {}

PxM::~PxM() {
    delete[] data;
}

int PxM::Load(const char* path) {
    const char* ending = std::strrchr(path, '.');
    if (ending == nullptr)
        return 0;
    if (strcasecmp(ending, ".ppm") != 0 && strcasecmp(ending, ".pgm") != 0)
        return 0;
    return load_PxM(path);
}

int PxM::load_PxM(const char* path) {
    std::FILE* file = OpenRegularFile(path);
    if (file == nullptr) {
        std::printf("PxM::load_PxM(): Couldn't open %s", path);
        Clear();
        return 0;
    }

    // An empty file reads no magic; the buffer's old contents are judged.
    ReadToken(file);
    if (std::strcmp(tokenBuffer, "P2") == 0 || std::strcmp(tokenBuffer, "P5") == 0) {
        isColour = 0;
        channels = 1;
    } else if (std::strcmp(tokenBuffer, "P3") == 0 || std::strcmp(tokenBuffer, "P6") == 0) {
        isColour = 1;
        channels = 3;
    } else {
        std::printf("PxM::load_PxM(): Type \"%s\" is not supported", tokenBuffer);
        return Fail(file);
    }
    const bool binary = tokenBuffer[1] == '5' || tokenBuffer[1] == '6';

    ReadToken(file);
    width = ParseInt(tokenBuffer);
    ReadToken(file);
    height = ParseInt(tokenBuffer);

    ReadToken(file);
    if (ParseInt(tokenBuffer) != 255) {
        std::printf("This implementation only supports 8-bit color component depths!\n");
        return Fail(file);
    }

    // The header's size is not to be trusted: a side of 0 or less would make
    // an empty or negative buffer, a huge one an overflowing size.
    if (width < 1 || height < 1 || width > MaxImageSide || height > MaxImageSide) {
        std::printf("PxM::load_PxM(): Image %s has an unsupported size %dx%d\n", path, width,
                    height);
        return Fail(file);
    }

    rowStride = width * channels;
    size = height * rowStride;
    delete[] data;
    data = new unsigned char[size];

    if (binary) {
        // Bytes past the end of the file read as 255.
        const std::size_t got = std::fread(data, 1, static_cast<std::size_t>(size), file);
        std::memset(data + got, 255, static_cast<std::size_t>(size) - got);
    } else {
        for (int i = 0; i < size; ++i) {
            // Once the file has ended every further value is the last one
            // read again, so the rest is filled at once.
            if (!ReadToken(file)) {
                std::memset(data + i, ParseLowByte(tokenBuffer),
                            static_cast<std::size_t>(size - i));
                break;
            }
            data[i] = ParseLowByte(tokenBuffer);
        }
    }

    std::fclose(file);
    return 1;
}

void PxM::GetPixel(int x, int y, int rgb[3]) const {
    if (data == nullptr || x < 0 || x >= width || y < 0 || y >= height) {
        rgb[0] = 255;
        rgb[1] = 0;
        rgb[2] = 0;
        return;
    }
    const unsigned char* pixel = data + x * channels + y * rowStride;
    if (isColour) {
        rgb[0] = pixel[0];
        rgb[1] = pixel[1];
        rgb[2] = pixel[2];
    } else {
        rgb[0] = rgb[1] = rgb[2] = pixel[0];
    }
}

void PxM::Sample(double x, double y, int rgb[3]) const {
    // Truncation toward zero puts (-1, 0) into column or row 0, from where a
    // negative fraction extrapolates. The test is made on the doubles so that
    // no out-of-range value is ever converted.
    if (data == nullptr || !(x > -1.0) || !(y > -1.0) || !(x < width) || !(y < height)) {
        rgb[0] = 255;
        rgb[1] = 0;
        rgb[2] = 0;
        return;
    }
    const int ix = static_cast<int>(x);
    const int iy = static_cast<int>(y);
    const double fx = x - ix;
    const double fy = y - iy;
    const bool lastColumn = ix == width - 1;
    const bool lastRow = iy == height - 1;

    const unsigned char* p00 = data + ix * channels + iy * rowStride;
    const unsigned char* p10 = p00 + channels;
    const unsigned char* p01 = p00 + rowStride;
    const unsigned char* p11 = p01 + channels;

    for (int k = 0; k < channels; ++k) {
        double top = p00[k];
        if (!lastColumn)
            top += (p10[k] - p00[k]) * fx;
        double v = top;
        if (!lastRow) {
            double bottom = p01[k];
            if (!lastColumn)
                bottom += (p11[k] - p01[k]) * fx;
            v += (bottom - top) * fy;
        }
        rgb[k] = static_cast<int>(v);
    }
    if (channels == 1)
        rgb[1] = rgb[2] = rgb[0];
}

int PxM::Fail(std::FILE* file) {
    std::fclose(file);
    Clear();
    return 0;
}

void PxM::Clear() {
    delete[] data;
    data = nullptr;
    width = height = isColour = size = channels = rowStride = 0;
}

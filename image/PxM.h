#pragma once

// PxM reads the game's Netpbm images: grey (P2 ASCII, P5 binary) and RGB
// (P3 ASCII, P6 binary), 8-bit samples only. It keeps the raster in memory,
// rows from the top down, and hands out exact pixels or bilinear samples.
//
// The header tokenizer uses one 40-byte token buffer shared by every PxM, so
// loads must not run at the same time; the game loads its images one after
// another on its only thread.

#include <cstdint>
#include <cstdio>

class PxM {
  public:
    PxM();
    ~PxM();
    PxM(const PxM&) = delete;
    PxM& operator=(const PxM&) = delete;

    // 1 when loaded; 0 without a message when the name doesn't end in ".ppm"
    // or ".pgm" (any case), else load_PxM's result.
    int Load(const char* path);
    // 1 when loaded, 0 on failure with one message on standard output. A
    // failed load leaves the image empty. Widths and heights outside 1..8192
    // are refused before anything is allocated.
    int load_PxM(const char* path);

    // The pixel's colour, or (255, 0, 0) outside the image or with no image.
    void GetPixel(int x, int y, int rgb[3]) const;
    // Bilinear sample with pixel centres on integer coordinates; (255, 0, 0)
    // outside the image. A coordinate in (-1, 0) extrapolates, so the result
    // may leave 0..255.
    void Sample(double x, double y, int rgb[3]) const;

    unsigned char* data;
    std::int32_t width;
    std::int32_t height;
    std::int32_t isColour;
    std::int32_t size;
    std::int32_t channels;
    std::int32_t rowStride;

  private:
    // Closes the file, empties the image and returns 0.
    int Fail(std::FILE* file);
    void Clear();
};

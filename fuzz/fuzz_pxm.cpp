// Any bytes as an image file: a load fails, or gives a raster of width x
// height x channels that pixels and samples in and around it stay inside.

#include "image/PxM.h"

#include "fuzz/FuzzTempFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const char* path = FuzzTempFile(data, size);
    PxM image;
    if (image.Load(path) == 0)
        return 0;
    FuzzCheck(image.data != nullptr && image.size == image.width * image.height * image.channels);
    int rgb[3];
    for (const int x : {-1, 0, image.width / 2, image.width - 1, image.width})
        for (const int y : {-1, 0, image.height / 2, image.height - 1, image.height}) {
            image.GetPixel(x, y, rgb);
            image.Sample(x - 0.5, y - 0.5, rgb);
            image.Sample(x + 0.75, y + 0.25, rgb);
        }
    FuzzCheck(image.Load(path) == 1); // a second load replaces the raster
    return 0;
}

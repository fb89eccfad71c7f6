// Any bytes as an image: a load fails, or gives a raster of width x height x
// channels, and reading pixels and samples in and around it stays inside.

#include "image/PxM.h"

#include <initializer_list>

#include "fuzz/FuzzTempFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    PxM image;
    if (image.Load(FuzzTempFile(data, size)) == 0)
        return 0;
    FuzzCheck(image.data != nullptr && image.size == image.width * image.height * image.channels);
    int rgb[3];
    for (const int x : {-1, 0, image.width / 2, image.width - 1, image.width})
        for (const int y : {-1, 0, image.height / 2, image.height - 1, image.height}) {
            image.GetPixel(x, y, rgb);
            image.Sample(x - 0.5, y - 0.5, rgb);
            image.Sample(x + 0.75, y + 0.25, rgb);
        }
    FuzzCheck(image.Load(FuzzTempFile(data, size)) == 1); // a second load replaces the raster
    return 0;
}

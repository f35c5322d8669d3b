// Any bytes as a BMP file: the reader must neither fault nor break the picture's invariants,
// and a picture it keeps is one whose input holds at least half its claimed pixel data, so
// that no input costs more than a few times its own size.
#include "assets/Image.h"

#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Image picture(in);

    const int width = picture.getWidth();
    const int height = picture.getHeight();
    const bool sane = width >= 0 && height >= 0 && width <= Image::MAX_SIDE && height <= Image::MAX_SIDE &&
                      (width == 0) == (height == 0) && picture.getPixels() != nullptr;
    if (!sane) __builtin_trap();
    const std::size_t claimed = (3 * std::size_t(width) + width % 4) * std::size_t(height);
    const std::size_t held = size > 54 ? size - 54 : 0;
    if (claimed > 2 * held) __builtin_trap();

    // Touch both ends of the buffer and every pixel: each must lie inside it.
    if (width > 0) {
        volatile std::uint32_t sum = picture.getPixel(0, 0) + picture.getPixel(width - 1, height - 1);
        (void)sum;
        picture.setAlpha(255, 200);
    }
    return 0;
}

// Any bytes as a BMP file: the reader must neither fault nor break the picture's invariants.
#include "assets/Image.h"

#include <cstdint>
#include <sstream>
#include <string>

namespace {

// Headers claiming more pixels than this are left out: the reader takes the same path for them,
// but zeroing and poisoning up to a gigabyte per input would slow fuzzing a hundredfold.
constexpr std::size_t MAX_FUZZED_PIXELS = std::size_t(1) << 22;

std::size_t claimedPixels(const std::uint8_t* data, std::size_t size) {
    if (size < 24) return 0;
    return std::size_t(data[18] | data[19] << 8) * std::size_t(data[22] | data[23] << 8);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (claimedPixels(data, size) > MAX_FUZZED_PIXELS) return -1;  // not added to the corpus
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Image picture(in);

    const int width = picture.getWidth();
    const int height = picture.getHeight();
    const bool sane = width >= 0 && height >= 0 && width <= Image::MAX_SIDE && height <= Image::MAX_SIDE &&
                      (width == 0) == (height == 0) && picture.getPixels() != nullptr;
    if (!sane) __builtin_trap();

    // Touch both ends of the buffer and every pixel: each must lie inside it.
    if (width > 0) {
        volatile std::uint32_t sum = picture.getPixel(0, 0) + picture.getPixel(width - 1, height - 1);
        (void)sum;
        picture.setAlpha(255, 200);
    }
    return 0;
}

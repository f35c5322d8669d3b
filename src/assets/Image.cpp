#include "assets/Image.h"

#include "assets/RegularFile.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace {

constexpr int HEADER_SIZE = 54;
// The header must reach at least the end of the height field to tell the dimensions.
constexpr int DIMENSIONS_END = 24;
constexpr std::uint32_t PIXELS_PER_METRE = 3780;

int readU16(const unsigned char* at) { return at[0] | (at[1] << 8); }

void putU16(unsigned char* at, std::uint32_t value) {
    at[0] = static_cast<unsigned char>(value);
    at[1] = static_cast<unsigned char>(value >> 8);
}

void putU32(unsigned char* at, std::uint32_t value) {
    putU16(at, value);
    putU16(at + 2, value >> 16);
}

// Bytes a stored 24-bit row takes, padded to a multiple of four.
std::size_t storedRowBytes(int width) { return 3 * static_cast<std::size_t>(width) + width % 4; }

// Bytes the stream still holds, found without reading them; 0 when it cannot tell (a failed
// or unseekable stream), so that such a stream never pays for what its header claims.
std::uint64_t bytesLeft(std::istream& in) {
    if (!in) return 0;
    const std::istream::pos_type here = in.tellg();
    if (here == std::istream::pos_type(-1)) return 0;
    in.seekg(0, std::ios::end);
    const std::istream::pos_type end = in.tellg();
    in.seekg(here);
    if (!in || end == std::istream::pos_type(-1) || end < here) return 0;
    return static_cast<std::uint64_t>(end - here);
}

// Never allocate for a negative size, and keep one pixel so the buffer is never null.
std::size_t bufferPixels(int width, int height) {
    if (width <= 0 || height <= 0) return 1;
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

}  // namespace

std::uint32_t packColour(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    const std::uint8_t bytes[4] = {r, g, b, a};
    std::uint32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

void unpackColour(std::uint32_t value, std::uint8_t* r, std::uint8_t* g, std::uint8_t* b, std::uint8_t* a) {
    std::uint8_t bytes[4];
    std::memcpy(bytes, &value, sizeof value);
    *r = bytes[0];
    *g = bytes[1];
    *b = bytes[2];
    *a = bytes[3];
}

Image::Image() : pixels(1), width(1), height(1) {}

Image::Image(int width, int height)
    : pixels(bufferPixels(width, height)),
      width(std::max(width, 0)),
      height(std::max(height, 0)) {}

Image::Image(const Image& other) = default;
Image& Image::operator=(const Image& other) = default;

Image::Image(const char* fileName) : pixels(1), width(0), height(0) {
    RegularFileStream file(fileName);
    if (file) read(file);
}

Image::Image(std::istream& bmp) : pixels(1), width(0), height(0) { read(bmp); }

void Image::read(std::istream& bmp) {
    unsigned char header[HEADER_SIZE] = {};
    bmp.read(reinterpret_cast<char*>(header), HEADER_SIZE);
    if (bmp.gcount() < DIMENSIONS_END) return;

    // Only the low 16 bits of each dimension count; the high halves are ignored.
    const int fileWidth = readU16(header + 18);
    const int fileHeight = readU16(header + 22);
    // No pixels, or more than any texture could hold: the empty picture, without allocating.
    if (fileWidth == 0 || fileHeight == 0 || fileWidth > MAX_SIDE || fileHeight > MAX_SIDE) return;

    // A file holding less than half the pixel data its header claims is damaged beyond use.
    // Checked before allocating: what a picture costs stays bounded by what its file holds.
    const std::uint64_t claimedBytes = storedRowBytes(fileWidth) * static_cast<std::uint64_t>(fileHeight);
    if (2 * bytesLeft(bmp) < claimedBytes) return;

    width = fileWidth;
    height = fileHeight;
    // Zero-filled, so whatever a short file does not hold reads as black.
    pixels.assign(bufferPixels(width, height), 0);

    std::vector<unsigned char> row(storedRowBytes(width));
    for (int y = 0; y < height && bmp; ++y) {
        std::fill(row.begin(), row.end(), 0);
        bmp.read(reinterpret_cast<char*>(row.data()), static_cast<std::streamsize>(row.size()));
        if (bmp.gcount() <= 0) break;
        std::uint32_t* out = pixels.data() + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            const unsigned char* stored = row.data() + 3 * x;  // blue, green, red
            out[x] = packColour(stored[2], stored[1], stored[0], 0);
        }
    }
}

int Image::save(const char* fileName) const {
    if (width == 0 || height == 0) return 0;
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    if (!file) return 0;

    const std::size_t rowBytes = storedRowBytes(width);
    const std::uint32_t imageSize = static_cast<std::uint32_t>(rowBytes * height);
    unsigned char header[HEADER_SIZE] = {};
    header[0] = 'B';
    header[1] = 'M';
    putU32(header + 2, HEADER_SIZE + imageSize);
    putU32(header + 10, HEADER_SIZE);
    putU32(header + 14, 40);
    putU16(header + 18, static_cast<std::uint32_t>(width));
    putU16(header + 22, static_cast<std::uint32_t>(height));
    putU16(header + 26, 1);
    putU16(header + 28, 24);
    putU32(header + 34, imageSize);
    putU32(header + 38, PIXELS_PER_METRE);
    putU32(header + 42, PIXELS_PER_METRE);
    file.write(reinterpret_cast<const char*>(header), HEADER_SIZE);

    std::vector<unsigned char> row(rowBytes, 0);  // the padding stays zero
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t r, g, b, a;
            unpackColour(getPixel(x, y), &r, &g, &b, &a);
            row[3 * x] = b;
            row[3 * x + 1] = g;
            row[3 * x + 2] = r;
        }
        file.write(reinterpret_cast<const char*>(row.data()), static_cast<std::streamsize>(rowBytes));
    }
    file.close();
    return file ? 1 : 0;
}

void Image::clear() { std::fill(pixels.begin(), pixels.end(), 0); }

void Image::setAlpha(std::uint8_t alphaIfBlack, std::uint8_t alphaIfColoured) {
    const std::size_t count = static_cast<std::size_t>(width) * height;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint8_t r, g, b, a;
        // The test takes the whole value, alpha included, before this pixel's alpha changes.
        const bool black = pixels[i] == 0;
        unpackColour(pixels[i], &r, &g, &b, &a);
        pixels[i] = packColour(r, g, b, black ? alphaIfBlack : alphaIfColoured);
    }
}

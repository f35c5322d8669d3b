#pragma once

#include <cstdint>
#include <istream>
#include <vector>

// The pixel value whose bytes in memory are r, g, b, a.
std::uint32_t packColour(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a);
void unpackColour(std::uint32_t value, std::uint8_t* r, std::uint8_t* g, std::uint8_t* b, std::uint8_t* a);

// A picture from a 24-bit BMP file: 32-bit pixels in memory byte order R, G, B, A, rows in
// file order (row 0 is the bottom row of a bottom-up BMP), ready for GL_RGBA upload.
// Files are untrusted: missing, short or absurd files never read or write out of bounds, and
// a file never costs more memory than a few times its own size.
class Image {
public:
    // Largest side a picture may have; a header claiming more gives the empty picture.
    static constexpr int MAX_SIDE = 16384;

    // Reads the file; a missing or unusable file gives 0 x 0 (with a one-pixel buffer), and so
    // does a file holding less than half the pixel data its header claims. One holding half or
    // more loads, with the pixels it does not reach at zero.
    explicit Image(const char* fileName);
    // Reads BMP bytes from a binary stream, with the same rules as the file constructor.
    explicit Image(std::istream& bmp);
    Image();  // 1 x 1
    Image(int width, int height);
    Image(const Image& other);
    Image& operator=(const Image& other);
    ~Image() = default;

    // Writes a 24-bit BMP; returns 0 (and writes nothing) for an empty picture or on failure.
    int save(const char* fileName) const;

    // No bounds check: callers stay within 0 <= x < width, 0 <= y < height.
    std::uint32_t getPixel(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    void setPixel(int x, int y, std::uint32_t value) { pixels[static_cast<std::size_t>(y) * width + x] = value; }

    void clear();
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    std::uint32_t* getPixels() { return pixels.data(); }
    const std::uint32_t* getPixels() const { return pixels.data(); }

    // Alpha byte of every pixel: alphaIfBlack where the whole 32-bit value is 0, else alphaIfColoured.
    void setAlpha(std::uint8_t alphaIfBlack, std::uint8_t alphaIfColoured);

private:
    // Fills an empty picture from BMP bytes; leaves it empty when the header is unusable.
    void read(std::istream& bmp);

    std::vector<std::uint32_t> pixels;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

#pragma once

#include <cstdint>
#include <string>

// Builds BMP file bytes by hand, so the reader is tested against the layout, not the writer.
inline std::string littleEndian(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

// A 54-byte header with the given dimension fields (all four bytes of each).
inline std::string bmpHeader(std::uint32_t widthField, std::uint32_t heightField) {
    std::string h = "BM" + littleEndian(0, 4) + littleEndian(0, 4) + littleEndian(54, 4) + littleEndian(40, 4);
    h += littleEndian(widthField, 4) + littleEndian(heightField, 4);
    h += littleEndian(1, 2) + littleEndian(24, 2);
    h += std::string(24, '\0');
    return h;
}

// A whole file whose pixel (x, y) is stored as blue = x, green = y, red = 100, rows padded.
inline std::string bmpGradient(int width, int height) {
    std::string file = bmpHeader(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            file += static_cast<char>(x);
            file += static_cast<char>(y);
            file += static_cast<char>(100);
        }
        file += std::string(width % 4, '\0');
    }
    return file;
}

#pragma once

#include "app/services/Text.h"

#include <GL/gl.h>

#include <cmath>
#include <initializer_list>
#include <vector>

// Drawing-test helpers for screen-space pictures and text (needs a current GL context).

// Pixel column and row (row 0 at the bottom) of a screen fraction in the offscreen context.
inline int fractionToPixelX(double x, int width = 1024) {
    const double halfWidth = 100.0 * std::tan(22.5 * M_PI / 180.0) * (4.0 / 3.0);
    return static_cast<int>((screenToEyeX(x) / halfWidth + 1.0) / 2.0 * width);
}
inline int fractionToPixelY(double y, int height = 768) {
    const double halfHeight = 100.0 * std::tan(22.5 * M_PI / 180.0);
    return static_cast<int>((screenToEyeY(y) / halfHeight + 1.0) / 2.0 * height);
}

// An RGBA texture without mipmaps, sampled nearest, modulated.
inline GLuint makeTexture(int width, int height, const std::vector<unsigned char>& rgba) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return texture;
}

// One colour all over.
inline GLuint makeSolidTexture(unsigned char r, unsigned char g, unsigned char b) {
    std::vector<unsigned char> rgba(4 * 4 * 4);
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        rgba[i] = r;
        rgba[i + 1] = g;
        rgba[i + 2] = b;
        rgba[i + 3] = 255;
    }
    return makeTexture(4, 4, rgba);
}

// A font whose only glyphs are solid white, opaque cells for the given characters.
inline GLuint makeTestFont(std::initializer_list<unsigned char> lit) {
    std::vector<unsigned char> rgba(FONT_PICTURE_WIDTH * FONT_PICTURE_HEIGHT * 4, 0);
    for (unsigned char c : lit) {
        const GlyphCell cell = glyphCell(c);
        for (int row = cell.top; row < cell.top + GLYPH_CELL_HEIGHT; ++row)
            for (int col = cell.left; col < cell.left + GLYPH_CELL_WIDTH; ++col) {
                // Uploaded bottom row first, as the picture loader does.
                unsigned char* p = &rgba[((FONT_PICTURE_HEIGHT - 1 - row) * FONT_PICTURE_WIDTH + col) * 4];
                p[0] = p[1] = p[2] = p[3] = 255;
            }
    }
    return makeTexture(FONT_PICTURE_WIDTH, FONT_PICTURE_HEIGHT, rgba);
}

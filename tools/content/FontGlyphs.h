#pragma once

#include "assets/Image.h"
#include "content/Geometry2.h"

#include <string>
#include <vector>

// The shape of one character, designed on a 4 wide by 6 high grid with y growing downward:
// thick strokes along polylines plus filled polygons.
struct GlyphShape {
    std::vector<std::vector<Point2>> strokes;
    std::vector<std::vector<Point2>> polygons;
    bool empty() const { return strokes.empty() && polygons.empty(); }
};

// Where a character's 18 x 19 cell sits in the font picture, from its top-left corner.
struct FontCell {
    int left;
    int top;
};

constexpr int FONT_WIDTH = 308;
constexpr int FONT_HEIGHT = 286;
constexpr int FONT_CELL_WIDTH = 18;
constexpr int FONT_CELL_HEIGHT = 19;

// The game's font table; every character without a glyph uses the blank default cell.
FontCell fontCell(unsigned char c);
// Every character that has a glyph of its own (digits, A-Z, signs, missile, marker).
const std::string& fontCharacters();
// The design of c; empty for characters without a glyph.
GlyphShape glyphShape(unsigned char c);

// The whole font picture: white glyphs on black, ready to save as Data/font2.bmp.
Image drawFontSheet();

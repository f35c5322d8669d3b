#pragma once

#include "app/services/Text.h"
#include "assets/Image.h"
#include "content/Geometry2.h"

#include <string>
#include <vector>

// The cells come from the game's own font table (glyphCell in app/services/Text.h), so the sheet
// and the text drawing cannot disagree.

// The shape of one character, designed on a 4 wide by 6 high grid with y growing downward:
// thick strokes along polylines plus filled polygons.
struct GlyphShape {
    std::vector<std::vector<Point2>> strokes;
    std::vector<std::vector<Point2>> polygons;
    bool empty() const { return strokes.empty() && polygons.empty(); }
};

// Every character that has a glyph of its own (digits, A-Z, signs, missile, marker).
const std::string& fontCharacters();
// The design of c; empty for characters without a glyph.
GlyphShape glyphShape(unsigned char c);

// The whole font picture: white glyphs on black, ready to save as Data/font2.bmp.
Image drawFontSheet();

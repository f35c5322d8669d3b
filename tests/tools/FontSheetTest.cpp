#include "GeneratedTree.h"

#include "assets/Image.h"
#include "content/FontGlyphs.h"

#include <gtest/gtest.h>

namespace {

// Lit pixels of the font picture inside the cell whose top-left corner is (left, top),
// counted from the picture's top as the font table does.
int litPixels(const Image& font, int left, int top) {
    int lit = 0;
    for (int y = top; y < top + GLYPH_CELL_HEIGHT; ++y)
        for (int x = left; x < left + GLYPH_CELL_WIDTH; ++x) lit += (font.getPixel(x, FONT_PICTURE_HEIGHT - 1 - y) & 0xFFFFFFu) != 0;
    return lit;
}

}  // namespace

TEST(FontSheet, EveryGlyphCellIsLitAndTheDefaultCellIsBlack) {
    Image font(generatedTree().file("font2.bmp").c_str());
    ASSERT_EQ(font.getWidth(), FONT_PICTURE_WIDTH);
    ASSERT_EQ(font.getHeight(), FONT_PICTURE_HEIGHT);
    for (unsigned char c : fontCharacters()) {
        GlyphCell cell = glyphCell(c);
        EXPECT_GT(litPixels(font, cell.left, cell.top), 12) << "glyph " << int(c);
    }
    EXPECT_EQ(litPixels(font, 260, 6), 0);
    EXPECT_EQ(glyphCell(' ').left, 260);
    EXPECT_EQ(glyphCell('a').top, 6);
}

TEST(FontSheet, GlyphsStayInsideTheirCells) {
    Image font(generatedTree().file("font2.bmp").c_str());
    std::vector<bool> inCell(FONT_PICTURE_WIDTH * FONT_PICTURE_HEIGHT, false);
    for (unsigned char c : fontCharacters()) {
        GlyphCell cell = glyphCell(c);
        for (int y = cell.top; y < cell.top + GLYPH_CELL_HEIGHT; ++y)
            for (int x = cell.left; x < cell.left + GLYPH_CELL_WIDTH; ++x) inCell[y * FONT_PICTURE_WIDTH + x] = true;
    }
    for (int y = 0; y < FONT_PICTURE_HEIGHT; ++y)
        for (int x = 0; x < FONT_PICTURE_WIDTH; ++x)
            if (!inCell[y * FONT_PICTURE_WIDTH + x]) {
                ASSERT_EQ(font.getPixel(x, FONT_PICTURE_HEIGHT - 1 - y) & 0xFFFFFFu, 0u) << x << " " << y;
            }
}

TEST(FontSheet, TheMarkerPointsDown) {
    // Wider at its top half than at its bottom tip.
    GlyphShape marker = glyphShape(0xF9);
    ASSERT_FALSE(marker.empty());
    Image font(generatedTree().file("font2.bmp").c_str());
    GlyphCell cell = glyphCell(0xF9);
    auto rowWidth = [&](int y) {
        int lit = 0;
        for (int x = cell.left; x < cell.left + GLYPH_CELL_WIDTH; ++x) lit += (font.getPixel(x, FONT_PICTURE_HEIGHT - 1 - y) & 0xFF) > 128;
        return lit;
    };
    EXPECT_GT(rowWidth(cell.top + 9), rowWidth(cell.top + 16));
}

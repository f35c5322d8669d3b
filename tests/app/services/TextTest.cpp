#include "app/services/Text.h"

#include "support/GlContext.h"
#include "support/TestFont.h"

#include <gtest/gtest.h>

#include <vector>

TEST(GlyphCells, DigitsAndLettersFollowTheirRows) {
    EXPECT_EQ(glyphCell('0').left, 9);
    EXPECT_EQ(glyphCell('0').top, 9);
    EXPECT_EQ(glyphCell('9').left, 9 + 18 * 9);
    EXPECT_EQ(glyphCell('A').left, 9);
    EXPECT_EQ(glyphCell('A').top, 59);
    EXPECT_EQ(glyphCell('M').left, 9 + 18 * 12);
    EXPECT_EQ(glyphCell('M').top, 59);
    EXPECT_EQ(glyphCell('N').left, 9);
    EXPECT_EQ(glyphCell('N').top, 84);
    EXPECT_EQ(glyphCell('Z').left, 9 + 18 * 12);
    EXPECT_EQ(glyphCell('Z').top, 84);
}

TEST(GlyphCells, SignsMarkerAndMissileSign) {
    struct Expected { unsigned char c = 0; int left = 0; int top = 0; };
    const Expected signs[] = {{'"', 228, 209}, {'\'', 247, 209}, {'.', 47, 235}, {'$', 9, 104},
                              {'&', 27, 104},  {0xB5, 45, 104},  {0xF9, 9, 210}};
    for (const Expected& e : signs) {
        EXPECT_EQ(glyphCell(e.c).left, e.left) << int(e.c);
        EXPECT_EQ(glyphCell(e.c).top, e.top) << int(e.c);
    }
}

TEST(GlyphCells, EverythingElseShowsTheBlankDefaultCell) {
    for (unsigned char c : {'a', 'z', '%', ':', ' ', '@', '[', '/', '\0'}) {
        EXPECT_EQ(glyphCell(c).left, 260) << c;
        EXPECT_EQ(glyphCell(c).top, 6) << c;
    }
    // High bytes never fall into the digit or letter ranges.
    for (int c = 0x80; c <= 0xFF; ++c) {
        if (c == 0xB5 || c == 0xF9) continue;
        EXPECT_EQ(glyphCell(static_cast<unsigned char>(c)).left, 260) << c;
    }
}

TEST(GlyphCells, TextureCoordinatesCountRowsFromThePictureBottom) {
    const GlyphTexCoords a = glyphTexCoords('A');
    EXPECT_DOUBLE_EQ(a.sLeft, 9.0 / 308);
    EXPECT_DOUBLE_EQ(a.sRight, 27.0 / 308);
    EXPECT_DOUBLE_EQ(a.tTop, (286.0 - 59) / 286);
    EXPECT_DOUBLE_EQ(a.tBottom, (286.0 - 59 - 19) / 286);
    const GlyphTexCoords blank = glyphTexCoords(' ');
    EXPECT_DOUBLE_EQ(blank.sLeft, 260.0 / 308);
    EXPECT_DOUBLE_EQ(blank.tTop, 280.0 / 286);
}

TEST(GlyphLayout, GlyphWidthFollowsTheTextLength) {
    const GlyphSpan two = glyphSpan(0.2, 0.6, 2, 1);
    EXPECT_DOUBLE_EQ(two.x1, 0.4);
    EXPECT_NEAR(two.x2 - two.x1, 0.18, 1e-12);
    const GlyphSpan four = glyphSpan(0.2, 0.6, 4, 3);
    EXPECT_DOUBLE_EQ(four.x1, 0.5);
    EXPECT_NEAR(four.x2 - four.x1, 0.09, 1e-12);
    EXPECT_DOUBLE_EQ(screenToEyeX(0.0), -55.0);
    EXPECT_DOUBLE_EQ(screenToEyeX(1.0), 55.0);
    EXPECT_DOUBLE_EQ(screenToEyeY(0.0), 40.0);
    EXPECT_DOUBLE_EQ(screenToEyeY(1.0), -40.0);
}

namespace {
int pixelX(double x) { return fractionToPixelX(x); }
int pixelY(double y) { return fractionToPixelY(y); }
GLuint makeFont(std::initializer_list<unsigned char> lit) { return makeTestFont(lit); }

bool lit(double x, double y) { return (GlContext::pixel(pixelX(x), pixelY(y)) & 0xFFFFFF) != 0; }

// Width in pixels of the lit run that starts at fraction x on row fraction y.
int litRun(double x, double y) {
    int column = pixelX(x);
    const int row = pixelY(y);
    int width = 0;
    while (column < GlContext::WIDTH && (GlContext::pixel(column, row) & 0xFFFFFF) != 0) ++column, ++width;
    return width;
}

class TextDrawing : public testing::Test {
protected:
    void TearDown() override {
        glDeleteTextures(1, &font);
        setFontTexture(0);
    }
    GLuint font = 0;
};
}

TEST_F(TextDrawing, EachCharacterShowsItsOwnCell) {
    REQUIRE_GL_CONTEXT();
    font = makeFont({'0'});
    setFontTexture(font);
    drawText(0.2, 0.4, 0.6, 0.6, "0A", 1.0, 1.0, 1.0);
    EXPECT_TRUE(lit(0.3, 0.5));    // '0' has its cell
    EXPECT_FALSE(lit(0.5, 0.5));   // 'A' finds a black cell
    EXPECT_FALSE(lit(0.395, 0.5)); // the last tenth of a cell is spacing
    EXPECT_FALSE(lit(0.3, 0.35));  // nothing above the rectangle
}

TEST_F(TextDrawing, TwoCharactersGetGlyphsTwiceAsWideAsFour) {
    REQUIRE_GL_CONTEXT();
    font = makeFont({'1'});
    setFontTexture(font);
    drawText(0.2, 0.1, 0.6, 0.2, "11", 1.0, 1.0, 1.0);
    drawText(0.2, 0.5, 0.6, 0.9, "1111", 1.0, 1.0, 1.0);
    const int wide = litRun(0.2, 0.15);
    const int narrow = litRun(0.2, 0.7);
    EXPECT_NEAR(wide, 2 * narrow, 2);
    // Height always fills the rectangle.
    EXPECT_TRUE(lit(0.25, 0.88));
    EXPECT_FALSE(lit(0.25, 0.92));
}

TEST_F(TextDrawing, TextIsAdditiveInItsColourAndTheColourStays) {
    REQUIRE_GL_CONTEXT();
    font = makeFont({'5'});
    setFontTexture(font);
    drawText(0.1, 0.1, 0.3, 0.3, "5", 0.0, 0.0, 1.0);
    drawText(0.1, 0.1, 0.3, 0.3, "5", 1.0, 0.0, 0.0);
    EXPECT_EQ(GlContext::pixel(pixelX(0.15), pixelY(0.2)) & 0xFFFFFF, 0xFF00FFu);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 1.0f);
    EXPECT_FLOAT_EQ(colour[2], 0.0f);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(TextDrawing, AnEmptyTextDrawsNothingButSetsColourAndState) {
    REQUIRE_GL_CONTEXT();
    font = makeFont({'0', ' '});
    setFontTexture(font);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    drawText(0.0, 0.0, 1.0, 1.0, "", 0.5, 0.25, 1.0);
    const std::vector<std::uint8_t> pixels = GlContext::readPixels();
    bool anyLit = false;
    for (std::size_t i = 0; i < pixels.size(); i += 4) anyLit |= pixels[i] || pixels[i + 1] || pixels[i + 2];
    EXPECT_FALSE(anyLit);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[1], 0.25f);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

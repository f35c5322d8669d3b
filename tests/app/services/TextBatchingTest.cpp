#include "app/services/Text.h"

#include "support/GlContext.h"
#include "support/TestFont.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

// A text is sent as one primitive; it must give the very picture of one glyph at a time.
namespace {
struct Line {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    const char* text = nullptr;
    double r = 0, g = 0, b = 0;
};

// Head-up display texts, some of them overlapping, and the menu's marker.
const Line LINES[] = {
    {0.75, 0.90, 0.96, 0.94, "VITESSE", 0.8, 0.8, 1.0}, {0.75, 0.95, 0.96, 0.99, "123", 1.0, 1.0, 1.0},
    {0.01, 0.85, 0.30, 0.89, " 1' 23\" 45", 0.8, 0.8, 1.0}, {0.01, 0.01, 0.10, 0.05, "FPS", 1.0, 0.1, 0.1},
    {0.475, 0.06, 0.525, 0.11, "2.0", 1.0, 1.0, 1.0}, {0.05, 0.84, 0.25, 0.95, "POSITION", 1.0, 1.0, 0.1},
    {0.70, 0.015, 0.77, 0.10, "\xB5", 1.0, 0.1, 0.1}, {0.15, 0.55, 0.25, 0.60, "\xF9", 1.0, 1.0, 1.0},
};

// The text the way it was drawn before: the same state, then every glyph on its own.
void drawGlyphByGlyph(const Line& line) {
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, fontTexture());
    const int length = static_cast<int>(std::strlen(line.text));
    glColor3f(static_cast<float>(line.r), static_cast<float>(line.g), static_cast<float>(line.b));
    for (int i = 0; i < length; ++i) {
        const GlyphSpan span = glyphSpan(line.x1, line.x2, length, i);
        drawGlyph(span.x1, line.y1, span.x2, line.y2, static_cast<unsigned char>(line.text[i]));
    }
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

enum class Sending { GlyphByGlyph, TextByText, AllTextsAtOnce };

std::vector<std::uint8_t> picture(Sending sending) {
    glClearColor(0.2f, 0.3f, 0.1f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    {
        std::unique_ptr<TextBatch> batch;
        if (sending == Sending::AllTextsAtOnce) batch = std::make_unique<TextBatch>();
        for (const Line& line : LINES) {
            if (sending == Sending::GlyphByGlyph)
                drawGlyphByGlyph(line);
            else
                drawText(line.x1, line.y1, line.x2, line.y2, line.text, line.r, line.g, line.b);
        }
    }
    return GlContext::readPixels();
}

int pixelsDiffering(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    int differing = 0;
    for (std::size_t i = 0; i < a.size(); i += 4) differing += std::memcmp(&a[i], &b[i], 3) != 0;
    return differing;
}
}

TEST(TextBatching, OnePrimitivePerTextOrForAllTextsDrawsTheSamePictureAsOnePerGlyph) {
    REQUIRE_GL_CONTEXT();
    // A font picture with something different in every texel, alpha included.
    std::vector<unsigned char> rgba(FONT_PICTURE_WIDTH * FONT_PICTURE_HEIGHT * 4);
    for (std::size_t i = 0; i < rgba.size(); ++i) rgba[i] = static_cast<unsigned char>((i * 37) ^ (i / 997));
    const GLuint font = makeTexture(FONT_PICTURE_WIDTH, FONT_PICTURE_HEIGHT, rgba);
    setFontTexture(font);

    const std::vector<std::uint8_t> glyphByGlyph = picture(Sending::GlyphByGlyph);
    const std::vector<std::uint8_t> textByText = picture(Sending::TextByText);
    const std::vector<std::uint8_t> allAtOnce = picture(Sending::AllTextsAtOnce);
    int lit = 0;
    for (std::size_t i = 0; i < glyphByGlyph.size(); i += 4) lit += glyphByGlyph[i] != 51;  // brighter than the background's red
    setFontTexture(0);
    glDeleteTextures(1, &font);
    EXPECT_GT(lit, 10000);
    EXPECT_EQ(pixelsDiffering(textByText, glyphByGlyph), 0);
    EXPECT_EQ(pixelsDiffering(allAtOnce, glyphByGlyph), 0);
}

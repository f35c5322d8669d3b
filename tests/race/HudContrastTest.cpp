#include "app/services/Text.h"
#include "assets/Image.h"
#include "race/CircuitTable.h"

#include "support/GlContext.h"
#include "support/TestFont.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

// The head-up display's text over the whitest ground of each circuit (snow, white rock, road
// paint), with the game's own font.
namespace {
double linear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }
double luminance(const std::uint8_t* p) {
    return 0.2126 * linear(p[0] / 255.0) + 0.7152 * linear(p[1] / 255.0) + 0.0722 * linear(p[2] / 255.0);
}
// The usual contrast ratio of two luminances, 1 (none) to 21.
double contrastRatio(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }

// The whitest texel of a circuit's ground picture (largest sum of its bytes), as red, green
// and blue 0..1.
std::vector<float> whitestGround(const char* path) {
    const Image ground(path);
    std::uint8_t best[4] = {0, 0, 0, 0};
    for (int y = 0; y < ground.getHeight(); ++y)
        for (int x = 0; x < ground.getWidth(); ++x) {
            std::uint8_t p[4];
            unpackColour(ground.getPixel(x, y), &p[0], &p[1], &p[2], &p[3]);
            if (p[0] + p[1] + p[2] > best[0] + best[1] + best[2]) std::copy(p, p + 4, best);
        }
    return {best[0] / 255.0f, best[1] / 255.0f, best[2] / 255.0f};
}

const char* const SAMPLE = "VITESSE";
constexpr double X1 = 0.30, Y1 = 0.40, X2 = 0.70, Y2 = 0.46;

std::vector<std::uint8_t> drawn(const std::vector<float>& background, TextLook look, double r, double g, double b) {
    glClearColor(background[0], background[1], background[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    {
        const TextBatch batch(look);
        drawText(X1, Y1, X2, Y2, SAMPLE, r, g, b);
    }
    return GlContext::readPixels();
}

// Contrast between the text's pixels (lit when drawn over black) and the ring two pixels
// wide round them.
double textContrast(const std::vector<std::uint8_t>& picture, const std::vector<bool>& lit) {
    const int w = GlContext::WIDTH, h = GlContext::HEIGHT;
    double text = 0, ring = 0;
    int textCount = 0, ringCount = 0;
    // The text's rectangle and a few pixels round it.
    const int left = fractionToPixelX(X1) - 4, right = fractionToPixelX(X2) + 4;
    const int bottom = fractionToPixelY(Y2) - 4, top = fractionToPixelY(Y1) + 4;
    for (int y = std::max(bottom, 2); y < std::min(top, h - 2); ++y)
        for (int x = std::max(left, 2); x < std::min(right, w - 2); ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            if (lit[i]) {
                text += luminance(&picture[i * 4]);
                ++textCount;
                continue;
            }
            bool near = false;
            for (int dy = -2; dy <= 2 && !near; ++dy)
                for (int dx = -2; dx <= 2 && !near; ++dx) near = lit[i + dy * w + dx];
            if (!near) continue;
            ring += luminance(&picture[i * 4]);
            ++ringCount;
        }
    return textCount && ringCount ? contrastRatio(text / textCount, ring / ringCount) : 0.0;
}
}

TEST(HudContrast, TheOutlineReadsOverTheWhitestGroundOfEachCircuitAndChangesNothingOverBlack) {
    REQUIRE_GL_CONTEXT();
    loadFont("Data/font2.bmp");
    ASSERT_NE(fontTexture(), 0u);
    const std::vector<float> black{0, 0, 0};
    struct Colour {
        const char* name;
        double r, g, b;
    };
    // The glyphs' pixels: lit by white text over black.
    const std::vector<std::uint8_t> whiteOverBlack = drawn(black, TextLook::Plain, 1.0, 1.0, 1.0);
    std::vector<bool> lit(whiteOverBlack.size() / 4);
    for (std::size_t i = 0; i < lit.size(); ++i) lit[i] = luminance(&whiteOverBlack[i * 4]) > 0.1;
    std::vector<std::vector<float>> whitest;
    for (const CircuitSpec& circuit : CIRCUITS) whitest.push_back(whitestGround(circuit.grassPath));
    for (const Colour& c : {Colour{"label blue", 0.8, 0.8, 1.0}, Colour{"white", 1.0, 1.0, 1.0}, Colour{"red", 1.0, 0.1, 0.1}}) {
        const std::vector<std::uint8_t> plainOverBlack = drawn(black, TextLook::Plain, c.r, c.g, c.b);
        const std::vector<std::uint8_t> outlinedOverBlack = drawn(black, TextLook::Outlined, c.r, c.g, c.b);
        int differing = 0;
        for (std::size_t i = 0; i < lit.size(); ++i) differing += !std::equal(&plainOverBlack[i * 4], &plainOverBlack[i * 4 + 3], &outlinedOverBlack[i * 4]);
        EXPECT_EQ(differing, 0) << c.name << " over black";
        for (int circuit = 0; circuit < CIRCUIT_COUNT; ++circuit) {
            const std::vector<float>& white = whitest[static_cast<std::size_t>(circuit)];
            const double before = textContrast(drawn(white, TextLook::Plain, c.r, c.g, c.b), lit);
            const double after = textContrast(drawn(white, TextLook::Outlined, c.r, c.g, c.b), lit);
            std::printf("circuit %d, ground (%.0f, %.0f, %.0f), %s text: contrast %.2f plain, %.2f outlined\n",
                        circuit + 1, white[0] * 255, white[1] * 255, white[2] * 255, c.name, before, after);
            // The ratio asked of large text; the plain text has none (1.0).
            EXPECT_GE(after, 3.0) << "circuit " << circuit + 1 << ", " << c.name;
        }
    }
    glDeleteTextures(1, std::vector<GLuint>{fontTexture()}.data());
    setFontTexture(0);
}

#include "assets/Image.h"
#include "content/CircuitCheck.h"
#include "content/Circuits.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Wide enough a grid that the small test circuit's legs are longer than a checkpoint's reach.
constexpr double SPACING = 3000;

// A small sound circuit: 16 checkpoints round a circle on flat ground at height 1000, one
// bonus of each kind on the legs.
Image soundCircuit() {
    Image map(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) map.setPixel(x, y, packColour(0, 0, 25, 0));
    for (int i = 0; i < 16; ++i) {
        double a = i * 2 * 3.14159265358979 / 16;
        int x = static_cast<int>(std::lround(32 + 24 * std::cos(a))), y = static_cast<int>(std::lround(32 + 24 * std::sin(a)));
        map.setPixel(x, y, packColour(static_cast<std::uint8_t>(255 - i), 0, 25, 0));
    }
    map.setPixel(56, 34, packColour(0, 255, 25, 0));
    map.setPixel(31, 56, packColour(0, 254, 25, 0));
    map.setPixel(8, 30, packColour(0, 253, 25, 0));
    return map;
}

void setRed(Image& map, int x, int y, int red) {
    std::uint8_t r, g, b, a;
    unpackColour(map.getPixel(x, y), &r, &g, &b, &a);
    map.setPixel(x, y, packColour(static_cast<std::uint8_t>(red), g, b, a));
}

bool reportsAt(const std::vector<CircuitProblem>& problems, int x, int y, const std::string& words) {
    for (const CircuitProblem& p : problems)
        if (p.x == x && p.y == y && p.message.find(words) != std::string::npos) return true;
    return false;
}

std::string all(const std::vector<CircuitProblem>& problems) {
    std::string text;
    for (const CircuitProblem& p : problems) text += describe(p) + "\n";
    return text;
}

}  // namespace

TEST(CircuitCheck, PassesEveryGeneratedCircuit) {
    for (int i = 0; i < CIRCUIT_COUNT; ++i) {
        Circuit c = buildCircuit(i);
        auto problems = checkCircuit(c.heightmap, c.design->heightScale, c.design->gridSpacing);
        EXPECT_TRUE(problems.empty()) << "circuit " << i << ":\n" << all(problems);
    }
}

TEST(CircuitCheck, PassesASoundHandMadeCircuit) {
    auto problems = checkCircuit(soundCircuit(), 10000, SPACING);
    EXPECT_TRUE(problems.empty()) << all(problems);
}

TEST(CircuitCheck, RejectsAGapInTheNumberingWhereItShows) {
    Image map = soundCircuit();
    setRed(map, 56, 32, 0);  // checkpoint 0 (red 255) gone
    auto problems = checkCircuit(map, 10000, SPACING);
    EXPECT_FALSE(problems.empty());
    EXPECT_TRUE(reportsAt(problems, 54, 41, "missing")) << all(problems);  // checkpoint 1, just after the gap
}

TEST(CircuitCheck, RejectsADuplicatedCheckpointOnBothPixels) {
    Image map = soundCircuit();
    setRed(map, 10, 10, 250);  // checkpoint 5 again
    auto problems = checkCircuit(map, 10000, SPACING);
    EXPECT_TRUE(reportsAt(problems, 10, 10, "checkpoint 5")) << all(problems);
    EXPECT_TRUE(reportsAt(problems, 23, 54, "checkpoint 5")) << all(problems);
}

TEST(CircuitCheck, RejectsAnUnknownBonusType) {
    Image map = soundCircuit();
    map.setPixel(40, 20, packColour(0, 200, 25, 0));
    EXPECT_TRUE(reportsAt(checkCircuit(map, 10000, SPACING), 40, 20, "unknown type 200"));
}

TEST(CircuitCheck, RejectsTrackGroundAboveTheLimit) {
    Image map = soundCircuit();
    // A ridge across the leg from checkpoint 0 (56, 32) to checkpoint 1 (54, 41): 2353 high.
    for (int x = 50; x < 62; ++x) map.setPixel(x, 36, packColour(0, 0, 60, 0));
    auto problems = checkCircuit(map, 10000, SPACING);
    bool found = false;
    for (const CircuitProblem& p : problems)
        found = found || (p.message.find("leg from checkpoint 0 to 1") != std::string::npos && std::abs(p.y - 36) <= 1);
    EXPECT_TRUE(found) << all(problems);
}

TEST(CircuitCheck, RejectsTooFewCheckpointsAndAMissingKindOfBonus) {
    Image map = soundCircuit();
    for (int i = 11; i < 16; ++i)
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                std::uint8_t r, g, b, a;
                unpackColour(map.getPixel(x, y), &r, &g, &b, &a);
                if (r == 255 - i) setRed(map, x, y, 0);
            }
    map.setPixel(8, 30, packColour(0, 0, 25, 0));
    auto problems = checkCircuit(map, 10000, SPACING);
    std::string text = all(problems);
    EXPECT_NE(text.find("11 checkpoints; a circuit needs 12 to 40"), std::string::npos) << text;
    map = soundCircuit();
    map.setPixel(8, 30, packColour(0, 0, 25, 0));
    text = all(checkCircuit(map, 10000, SPACING));
    EXPECT_NE(text.find("no boost (253) bonus"), std::string::npos) << text;
}

TEST(CircuitCheck, RejectsAnEmptyPictureAndOneTheGameRefuses) {
    EXPECT_FALSE(checkCircuit(Image("no such file.bmp"), 10000, SPACING).empty());
    EXPECT_TRUE(reportsAt(checkCircuit(Image(2049, 2), 10000, SPACING), 0, 0, "the game refuses more than 2048 a side"));
}

#include "GeneratedTree.h"

#include "assets/Image.h"
#include "content/Circuits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

namespace {

// Colour differences are CIE76 (Euclidean in CIELAB): 2.3 is just noticeable, and above about
// 10 two colours read as different at a glance. Measured on the circuits (lap mean / weakest
// stretch): a teal road on circuit 3's teal sea gave 18 / 4, a grey one among circuit 2's
// meadows 22 / 15, a beige one on circuit 1's grass 39 / 34; today's roads give 56 / 44,
// 38 / 18 and 50 / 38. The lap mean asks for a road that differs in lightness and hue along
// most of the lap; the weakest stretch, for no stretch of a few seconds' racing where the
// road and its ground merge (circuit 2's dark woods in the evening light come nearest).
constexpr double LAP_MEAN_MIN = 30;   // over the whole lap, both sides
constexpr double STRETCH_MIN = 12;    // each stretch, on its weaker side
constexpr double STRETCH = 10;        // pixels of racing line judged together
constexpr double HALF_WIDTH = 3.2;    // the road's half width, pixels

struct Lab {
    double l = 0, a = 0, b = 0;
};

double linear(std::uint8_t v) {
    double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// sRGB bytes to CIELAB under D65.
Lab toLab(std::uint32_t pixel) {
    std::uint8_t r, g, b, a;
    unpackColour(pixel, &r, &g, &b, &a);
    double R = linear(r), G = linear(g), B = linear(b);
    double x = (0.4124 * R + 0.3576 * G + 0.1805 * B) / 0.95047, y = 0.2126 * R + 0.7152 * G + 0.0722 * B,
           z = (0.0193 * R + 0.1192 * G + 0.9505 * B) / 1.08883;
    auto f = [](double t) { return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

double deltaE(Lab p, Lab q) { return std::sqrt((p.l - q.l) * (p.l - q.l) + (p.a - q.a) * (p.a - q.a) + (p.b - q.b) * (p.b - q.b)); }

// The ground picture's texel over a heightmap position (the picture spans the heightmap once).
Lab groundAt(const Image& picture, Point2 p) {
    int x = std::clamp(static_cast<int>(p.x / HEIGHTMAP_SIZE * picture.getWidth()), 0, picture.getWidth() - 1);
    int y = std::clamp(static_cast<int>(p.y / HEIGHTMAP_SIZE * picture.getHeight()), 0, picture.getHeight() - 1);
    return toLab(picture.getPixel(x, y));
}

struct Contrast {
    double lapMean = 0;
    double weakest = 1e9;
    Point2 weakestAt;
};

// Walks the racing line: the road halfway between its middle and each kerb against the ground
// one road width beyond each kerb, where that ground is not road again (a bend or the line
// passing close by).
Contrast roadContrast(const Circuit& c, const Image& picture) {
    const auto& line = c.centreLine;
    Contrast result;
    double sum = 0, walked = 0, stretchSum[2] = {0, 0};
    int count = 0, points = 0, stretchCount[2] = {0, 0};
    Point2 stretchStart = line[0];
    for (std::size_t i = 0; i < line.size(); ++i) {
        Point2 p = line[i], along = line[(i + 2) % line.size()] - line[(i + line.size() - 2) % line.size()];
        Point2 across = Point2{-along.y, along.x} * (1 / std::max(length2(along), 1e-9));
        for (int side = 0; side < 2; ++side) {
            double s = side ? -1 : 1;
            Point2 outside = p + across * (s * 3 * HALF_WIDTH);
            if (c.distanceAtPixel(outside.x, outside.y) < 2.5 * HALF_WIDTH) continue;
            double e = deltaE(groundAt(picture, p + across * (s * HALF_WIDTH / 2)), groundAt(picture, outside));
            sum += e;
            ++count;
            stretchSum[side] += e;
            ++stretchCount[side];
        }
        walked += length2(line[(i + 1) % line.size()] - p);
        ++points;
        if (walked >= STRETCH || i + 1 == line.size()) {
            for (int side = 0; side < 2; ++side)
                if (stretchCount[side] * 2 >= points && stretchSum[side] / stretchCount[side] < result.weakest) {
                    result.weakest = stretchSum[side] / stretchCount[side];
                    result.weakestAt = stretchStart;
                }
            walked = 0;
            points = 0;
            stretchSum[0] = stretchSum[1] = 0;
            stretchCount[0] = stretchCount[1] = 0;
            stretchStart = line[(i + 1) % line.size()];
        }
    }
    result.lapMean = count ? sum / count : 0;
    return result;
}

// A point of the racing line at an arc (pixels) from line point `from`, and the unit vector
// across the line there (to the left of the direction of racing).
struct LinePlace {
    Point2 at, across;
};
LinePlace alongLine(const std::vector<Point2>& line, std::size_t from, double arc) {
    std::size_t i = from;
    for (;;) {
        const Point2 a = line[i % line.size()], b = line[(i + 1) % line.size()];
        const double step = length2(b - a);
        if (arc <= step) {
            const Point2 d = (b - a) * (1 / std::max(step, 1e-9));
            return {a + d * arc, {-d.y, d.x}};
        }
        arc -= step;
        ++i;
    }
}

// How far from the line, across it, a marking on the road's middle at that place reaches.
double markingReach(const Image& picture, const LinePlace& p, double side, Lab road) {
    double reach = 0;
    while (reach < 2 && deltaE(groundAt(picture, p.at + p.across * (side * (reach + 0.05))), road) > 30) reach += 0.05;
    return reach;
}

}  // namespace

// The arrow after every gate is a long one, stretched along the road for a pod's low view of
// it, and it stands out from the road it is painted on.
TEST(RoadContrast, EveryGatesArrowIsLongAndClear) {
    for (int i = 0; i < CIRCUIT_COUNT; ++i) {
        Circuit circuit = buildCircuit(i);
        Image picture(generatedTree().file("herbe" + std::to_string(circuit.design->number) + ".bmp").c_str());
        ASSERT_GT(picture.getWidth(), 0);
        const auto& line = circuit.centreLine;
        for (const Point2& gate : circuit.checkpoints) {
            std::size_t from = 0;
            for (std::size_t k = 0; k < line.size(); ++k)
                if (length2(line[k] - gate) < length2(line[from] - gate)) from = k;
            // The longest unbroken marking on the road's middle within a leg's first stretch,
            // judged against the road halfway to its edge.
            double run = 0, longest = 0, span = 0, widest = 0, contrast = 0, clearest = 0;
            for (double arc = 0.5; arc < 14; arc += 0.1) {
                const LinePlace p = alongLine(line, from, arc);
                const Lab centre = groundAt(picture, p.at), beside = groundAt(picture, p.at + p.across * 1.9);
                const double e = deltaE(centre, beside);
                if (e > 30) {
                    run += 0.1;
                    contrast += e * 0.1;
                    span = std::max(span, markingReach(picture, p, 1, beside) + markingReach(picture, p, -1, beside));
                } else {
                    run = contrast = span = 0;
                }
                if (run > longest) {
                    longest = run;
                    widest = span;
                    clearest = contrast / run;
                }
            }
            const std::string where = "circuit " + std::to_string(i + 1) + ", gate at (" + std::to_string(int(gate.x)) + ", " +
                                      std::to_string(int(gate.y)) + "): " + std::to_string(longest) + " long, " +
                                      std::to_string(widest) + " wide, contrast " + std::to_string(clearest);
            EXPECT_GE(longest * circuit.design->gridSpacing, 9000) << where;
            EXPECT_GE(longest, 3 * widest) << where;
            EXPECT_GE(clearest, 40) << where;
        }
    }
}

// The road is told apart from the ground beside it by colour and brightness, all the way
// round, on the sea as on the land.
TEST(RoadContrast, TheRoadStandsOutFromTheGroundBesideItOnEveryCircuit) {
    for (int i = 0; i < CIRCUIT_COUNT; ++i) {
        Circuit circuit = buildCircuit(i);
        Image picture(generatedTree().file("herbe" + std::to_string(circuit.design->number) + ".bmp").c_str());
        ASSERT_GT(picture.getWidth(), 0);
        Contrast contrast = roadContrast(circuit, picture);
        std::ostringstream figures;
        figures << "circuit " << circuit.design->number << ": lap mean " << contrast.lapMean << ", weakest stretch "
                << contrast.weakest << " from pixel (" << contrast.weakestAt.x << ", " << contrast.weakestAt.y << ")";
        RecordProperty("circuit" + std::to_string(circuit.design->number), figures.str());
        EXPECT_GE(contrast.lapMean, LAP_MEAN_MIN) << figures.str();
        EXPECT_GE(contrast.weakest, STRETCH_MIN) << figures.str();
    }
}

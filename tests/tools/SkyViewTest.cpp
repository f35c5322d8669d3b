#include "GeneratedTree.h"

#include "motion/Body.h"
#include "race/Race.h"
#include "race/RaceSetup.h"
#include "support/GlContext.h"
#include "terrain/Terrain.h"

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int W = GlContext::WIDTH, H = GlContext::HEIGHT;
constexpr int SLAB = 32;         // rows judged together
constexpr int THRESHOLD = 15;    // sum of the three channels
constexpr int SLABS_TO_FAIL = 4; // "much of its height": over a third of a level view's sky

// The frame read back, each pixel as the sum of its three channels.
class Picture {
public:
    Picture() : levels(static_cast<std::size_t>(W) * H) {
        const std::vector<std::uint8_t> pixels = GlContext::readPixels();
        for (std::size_t i = 0; i < levels.size(); ++i) levels[i] = pixels[i * 4] + pixels[i * 4 + 1] + pixels[i * 4 + 2];
    }
    int at(int x, int y) const { return levels[static_cast<std::size_t>(y) * W + x]; }

private:
    std::vector<int> levels;
};

// A pixel of a seam: lighter or darker than both pixels two columns away (a line up to three
// pixels wide), or a step to the next column far steeper than the picture on either side
// (the pattern breaking off).
bool seamPixel(const Picture& p, int x, int y) {
    const int l = p.at(x - 2, y), c = p.at(x, y), r = p.at(x + 2, y);
    if ((c - l > THRESHOLD && c - r > THRESHOLD) || (l - c > THRESHOLD && r - c > THRESHOLD)) return true;
    const int step = std::abs(p.at(x + 1, y) - c);
    return step > THRESHOLD && step > 3 * (std::abs(c - p.at(x - 1, y)) + std::abs(r - p.at(x + 1, y)));
}

// The first column (give or take two pixels) that has seam pixels in most rows of several
// slabs of rows, or -1.
int seamColumn(const Picture& p) {
    std::vector<int> slabs(W, 0), hits(W);
    std::vector<char> seam(W);
    for (int top = 0; top + SLAB <= H; top += SLAB) {
        std::fill(hits.begin(), hits.end(), 0);
        for (int y = top; y < top + SLAB; ++y) {
            for (int x = 3; x < W - 3; ++x) seam[x] = seamPixel(p, x, y);
            for (int x = 5; x < W - 5; ++x)
                if (seam[x - 2] || seam[x - 1] || seam[x] || seam[x + 1] || seam[x + 2]) ++hits[x];
        }
        for (int x = 0; x < W; ++x)
            if (hits[x] * 4 >= SLAB * 3) ++slabs[x];
    }
    for (int x = 0; x < W; ++x)
        if (slabs[x] >= SLABS_TO_FAIL) return x;
    return -1;
}

std::string inTree(const char* gamePath) { return generatedTree().file(std::string(gamePath).substr(std::string("Data/").size())); }

Terrain circuitTerrain(const CircuitSpec& spec) {
    return Terrain(Vector3(0, 0, 0), inTree(spec.heightmapPath).c_str(), inTree(spec.grassPath).c_str(),
                   inTree(spec.skyPrefix).c_str(), spec.heightScale, spec.gridSpacing);
}

}  // namespace

// Each circuit's real sky, drawn as the race draws it, seen from a pod's height in the middle
// of the circuit and off to one side, every 20 degrees round, level and a little up: no
// column may stand out along the box's edges and no cloud may break off there.
TEST(SkyView, EveryCircuitsSkyIsSeamlessAllRound) {
    REQUIRE_GL_CONTEXT();
    GlContext::setGameState();
    for (int circuit = 0; circuit < CIRCUIT_COUNT; ++circuit) {
        const CircuitSpec& spec = CIRCUITS[circuit];
        Terrain terrain = circuitTerrain(spec);
        const double half = terrain.columns() * spec.gridSpacing / 2;
        for (const Vector3& place : {Vector3(0, 0, 0), Vector3(0.7 * half, 0, -0.5 * half)}) {
            Vector3 normal;
            const Vector3 eye = terrain.groundAt(place, normal) + Vector3(0, 500, 0);
            for (int yaw = 0; yaw < 360; yaw += 20)
                for (double pitch : {0.0, 0.2}) {
                    const double a = yaw * 3.14159265358979 / 180;
                    const Vector3 look = eye + Vector3(std::cos(a) * std::cos(pitch), std::sin(pitch), std::sin(a) * std::cos(pitch));
                    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
                    glMatrixMode(GL_MODELVIEW);
                    glLoadIdentity();
                    gluLookAt(eye.x, eye.y, eye.z, look.x, look.y, look.z, 0, 1, 0);
                    terrain.drawSky();
                    EXPECT_EQ(seamColumn(Picture()), -1) << "circuit " << circuit + 1 << " from (" << eye.x << ", " << eye.z
                                                         << "), yaw " << yaw << ", pitch " << pitch;
                }
        }
    }
}

// From above the cliffs round the world, looking out and down past the ground's end: under the
// horizon the sky box shows the country running on, not one flat colour.
TEST(SkyView, BeyondTheGroundsEndLiesFarCountry) {
    REQUIRE_GL_CONTEXT();
    GlContext::setGameState();
    constexpr double PITCH = 0.2, HALF_FOV = 22.5 * 3.14159265358979 / 180;
    for (int circuit = 0; circuit < CIRCUIT_COUNT; ++circuit) {
        const CircuitSpec& spec = CIRCUITS[circuit];
        Terrain terrain = circuitTerrain(spec);
        terrain.setViewDistance(START_VIEW_DISTANCE);
        const double half = terrain.columns() * spec.gridSpacing / 2;
        const Vector3 eye(0.83 * half, spec.heightScale + 5000, 0);
        const Vector3 look = eye + Vector3(std::cos(PITCH), -std::sin(PITCH), 0);
        const Body camera(eye, look, Vector3(0, 1, 0));
        auto frame = [&](bool sky) {
            glClearColor(1, 0, 1, 1);  // marks where no ground is drawn
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            gluLookAt(eye.x, eye.y, eye.z, look.x, look.y, look.z, 0, 1, 0);
            terrain.draw(camera);
            if (sky) terrain.drawSky();
            return GlContext::readPixels();
        };
        const std::vector<std::uint8_t> ground = frame(false), view = frame(true);
        // The box's horizon, world height 0 on its far face, seen from the eye.
        const double horizonDip = std::atan(eye.y / (2 * half - eye.x)) + 0.01;
        int lowest = 255 * 3, highest = 0, counted = 0;
        for (int y = 0; y < H; ++y) {
            const double dip = PITCH - std::atan((2.0 * y / H - 1) * std::tan(HALF_FOV));
            if (dip <= horizonDip) continue;
            for (int x = W / 4; x < 3 * W / 4; ++x) {
                const std::size_t i = (static_cast<std::size_t>(y) * W + x) * 4;
                if (ground[i] != 255 || ground[i + 1] != 0 || ground[i + 2] != 255) continue;
                const int level = view[i] + view[i + 1] + view[i + 2];
                lowest = std::min(lowest, level);
                highest = std::max(highest, level);
                ++counted;
            }
        }
        EXPECT_GT(counted, W * 20) << "circuit " << circuit + 1 << ": the view shows the box under the horizon";
        EXPECT_GT(highest - lowest, 40) << "circuit " << circuit + 1 << ": " << counted << " pixels from " << lowest << " to "
                                        << highest;
    }
}

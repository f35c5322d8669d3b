#include "SoloRace.h"

#include "entities/AIPod.h"

#include <gtest/gtest.h>

#include <GL/glut.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr std::uint32_t FLY_OFF_MS = 5000, WAY_BACK_LIMIT_MS = 30000;
constexpr int PLACES = 16;
constexpr double PI = 3.14159265358979;

// A player at the keys who steers for the next checkpoint as the computer pods do: turns
// toward it, rises or sinks toward its height, and thrusts.
void steerForNextCheckpoint(SoloRace& run) {
    const Body& b = *run.pod().body();
    const Vector3 d = run.terrain().checkpoint(run.pod().nextCheckpoint()) - b.position();
    const Vector3 ahead = b.lookPoint() - b.position();
    const double turn = std::atan2(ahead.z * d.x - ahead.x * d.z, ahead.x * d.x + ahead.z * d.z);
    const double climb = 2 * d.y / length(d);
    auto hold = [](bool special, int key, bool down) {
        if (special) (down ? onSpecialPress : onSpecialRelease)(key, 0, 0);
        else (down ? onKeyPress : onKeyRelease)(static_cast<unsigned char>(key), 0, 0);
    };
    hold(false, 'w', true);
    hold(true, GLUT_KEY_LEFT, turn > AIPod::DEAD_ZONE);
    hold(true, GLUT_KEY_RIGHT, turn < -AIPod::DEAD_ZONE);
    hold(true, GLUT_KEY_DOWN, climb > AIPod::DEAD_ZONE);
    hold(true, GLUT_KEY_UP, climb < -AIPod::DEAD_ZONE);
}

// Flies off with thrust and boost held along heading for five seconds, then lets the driver
// try to get back: the milliseconds until it passes the checkpoint it was heading for.
std::uint32_t wayBackMs(SoloRace& run, const Vector3& start, const Vector3& heading, int nextCheckpoint) {
    run.place(start, heading);
    run.pod().setStage(0, nextCheckpoint);
    onKeyPress('w', 0, 0);
    onKeyPress('c', 0, 0);
    for (std::uint32_t t = 0; t < FLY_OFF_MS; t += SoloRace::FRAME_MS) run.frame();
    clearKeys();
    const int target = run.pod().nextCheckpoint();
    std::uint32_t t = 0;
    while (run.pod().nextCheckpoint() == target && t <= WAY_BACK_LIMIT_MS) {
        steerForNextCheckpoint(run);
        run.frame();
        t += SoloRace::FRAME_MS;
    }
    clearKeys();
    return t;
}

// The checkpoint a pod at that point of the racing line is heading for: the first one whose
// nearest point of the line lies beyond it.
int checkpointAfter(const Circuit& c, std::size_t place) {
    const auto& line = c.centreLine;
    int best = 0;
    std::size_t bestAhead = line.size();
    for (std::size_t k = 0; k < c.checkpoints.size(); ++k) {
        std::size_t at = 0;
        for (std::size_t j = 0; j < line.size(); ++j)
            if (length2(line[j] - c.checkpoints[k]) < length2(line[at] - c.checkpoints[k])) at = j;
        const std::size_t ahead = (at + line.size() - place - 1) % line.size();
        if (ahead < bestAhead) {
            bestAhead = ahead;
            best = static_cast<int>(k);
        }
    }
    return best;
}

// The nearest pixel whose ground stands above the height pods race at.
Point2 nearestHighGround(const Circuit& c, Point2 from) {
    const double racing = c.design->trackLevel * c.design->heightScale / 255.0 + Terrain::MARKER_LIFT;
    Point2 best = from;
    double bestDistance = 1e300;
    for (int y = 0; y < HEIGHTMAP_SIZE; ++y)
        for (int x = 0; x < HEIGHTMAP_SIZE; ++x) {
            const double d = length2(Point2{double(x), double(y)} - from);
            if (d < bestDistance && c.heightAt(x, y) > racing) {
                bestDistance = d;
                best = {double(x), double(y)};
            }
        }
    return best;
}

Vector3 horizontal(Point2 from, Point2 to) {
    const Vector3 v(to.x - from.x, 0, to.y - from.y);
    return v / length(v);
}

}  // namespace

// A pod flown off the road into the hills, or into the cliffs round the world, can always
// find its way back: nothing it meets holds it.
TEST(WayBack, APodThatLeftTheRoadReachesItsNextCheckpointWithinHalfAMinute) {
    for (int i = 0; i < CIRCUIT_COUNT; ++i) {
        const Circuit circuit = buildCircuit(i);
        const auto& line = circuit.centreLine;
        SoloRace run(circuit);
        std::uint32_t worstHills = 0, worstCliffs = 0;
        for (int k = 0; k < PLACES; ++k) {
            const std::size_t place = line.size() * k / PLACES;
            const Point2 p = line[place];
            const std::uint32_t ms = wayBackMs(run, run.above(p), horizontal(p, nearestHighGround(circuit, p)), checkpointAfter(circuit, place));
            EXPECT_LE(ms, WAY_BACK_LIMIT_MS) << "circuit " << i + 1 << ", from the hills off pixel (" << p.x << ", " << p.y << ")";
            worstHills = std::max(worstHills, ms);
        }
        // Round the world at the cliffs' foot, facing them; the driver heads for the checkpoint
        // after the nearest point of the racing line.
        for (int k = 0; k < PLACES; ++k) {
            const double a = 2 * PI * (k + 0.5) / PLACES;
            const Point2 centre{HEIGHTMAP_SIZE / 2.0, HEIGHTMAP_SIZE / 2.0}, out{std::cos(a), std::sin(a)};
            const double reach = 0.78 * HEIGHTMAP_SIZE / 2 / std::pow(std::pow(std::fabs(out.x), 6) + std::pow(std::fabs(out.y), 6), 1.0 / 6);
            const Point2 foot = centre + out * reach;
            std::size_t nearest = 0;
            for (std::size_t j = 0; j < line.size(); ++j)
                if (length2(line[j] - foot) < length2(line[nearest] - foot)) nearest = j;
            const std::uint32_t ms = wayBackMs(run, run.above(foot), Vector3(out.x, 0, out.y), checkpointAfter(circuit, nearest));
            EXPECT_LE(ms, WAY_BACK_LIMIT_MS) << "circuit " << i + 1 << ", from the cliffs at pixel (" << foot.x << ", " << foot.y << ")";
            worstCliffs = std::max(worstCliffs, ms);
        }
        std::printf("circuit %d: worst way back %.1f s from the hills, %.1f s from the cliffs\n", i + 1, worstHills / 1000.0,
                    worstCliffs / 1000.0);
    }
}

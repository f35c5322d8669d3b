#include "SoloRace.h"

#include "entities/AIPod.h"
#include "race/ChaseView.h"

#include <gtest/gtest.h>

#include <GL/glut.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

constexpr std::uint32_t FLY_OFF_MS = 5000, WAY_BACK_LIMIT_MS = 30000, INTO_ANYTHING_MS = 40000;
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

// Flies off with thrust and boost held along heading (five seconds unless told), then lets the
// driver try to get back: the milliseconds until it passes the checkpoint it was heading for.
// eachFrame, if given, sees every frame of both parts.
std::uint32_t wayBackMs(SoloRace& run, const Vector3& start, const Vector3& heading, int nextCheckpoint,
                        std::uint32_t flyOffMs = FLY_OFF_MS, const std::function<void()>& eachFrame = {}) {
    run.place(start, heading);
    run.pod().setStage(0, nextCheckpoint);
    onKeyPress('w', 0, 0);
    onKeyPress('c', 0, 0);
    auto frame = [&] {
        run.frame();
        if (eachFrame) eachFrame();
    };
    for (std::uint32_t t = 0; t < flyOffMs; t += SoloRace::FRAME_MS) frame();
    clearKeys();
    const int target = run.pod().nextCheckpoint();
    std::uint32_t t = 0;
    while (run.pod().nextCheckpoint() == target && t <= WAY_BACK_LIMIT_MS) {
        steerForNextCheckpoint(run);
        frame();
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

bool inGround(const Terrain& terrain, const Vector3& p) {
    Vector3 normal;
    return p.y <= terrain.groundAt(p, normal).y;
}

// Both chase views of the pod, judged on every frame: frames whose eye is in the ground, whose
// near plane (50 ahead, 45 degrees high at 4:3) reaches into it, or whose line from the eye to
// the pod passes under it (the last 200 units, the pod's own size, aside). A pod that flies
// into a face at full speed ends that one step inside it, before the next contact puts it out:
// no view shows it then, and those frames are counted apart.
struct CameraWatch {
    int frames = 0, eyeIn = 0, viewIn = 0, podHidden = 0, podInRock = 0;

    void watch(const Body& pod, const Terrain& terrain) {
        ++frames;
        bool eye = false, view = false, hidden = false;
        for (double distance : {2000.0, 1000.0}) {
            const Frame f = chaseView(pod, distance, terrain).frame();
            const Vector3 ahead = f.forward(), right = f.right(), up = cross(right, ahead);
            eye = eye || inGround(terrain, f.position);
            for (double x : {-1.0, 1.0})
                for (double y : {-1.0, 1.0})
                    view = view || inGround(terrain, f.position + ahead * 50.0 + right * (x * 27.6) + up * (y * 20.7));
            const Vector3 toPod = pod.position() - f.position;
            for (double s = 0; s < length(toPod) - 200.0; s += 25.0)
                hidden = hidden || inGround(terrain, f.position + toPod * (s / length(toPod)));
        }
        eyeIn += eye;
        viewIn += view;
        if (inGround(terrain, pod.position())) ++podInRock;
        else podHidden += hidden;
    }
};

}  // namespace

// A newcomer who turns any way at the start and holds full thrust for 40 s into whatever is
// there (cliff, rock, sea) gets back to the next checkpoint within half a minute, and both chase
// views show the pod on every frame of it.
TEST(WayBack, FromFortySecondsIntoWhateverLiesEachWayFromTheStart) {
    for (int i = 0; i < CIRCUIT_COUNT; ++i) {
        const Circuit circuit = buildCircuit(i);
        SoloRace run(circuit);
        const Vector3 start = run.terrain().checkpoint(0), along = run.terrain().checkpoint(1) - start;
        CameraWatch camera;
        std::uint32_t worst = 0;
        for (int k = 0; k < 8; ++k) {
            const double a = std::atan2(along.z, along.x) + k * PI / 4;
            const std::uint32_t ms = wayBackMs(run, start, Vector3(std::cos(a), 0, std::sin(a)), 1, INTO_ANYTHING_MS,
                                               [&] { camera.watch(*run.pod().body(), run.terrain()); });
            EXPECT_LE(ms, WAY_BACK_LIMIT_MS) << "circuit " << i + 1 << ", " << k * 45 << " degrees from the start's heading";
            worst = std::max(worst, ms);
        }
        std::printf("circuit %d: worst way back %.1f s; of %d frames, eye in the ground %d, view starting in it %d, "
                    "pod hidden %d, pod inside the rock %d\n",
                    i + 1, worst / 1000.0, camera.frames, camera.eyeIn, camera.viewIn, camera.podHidden, camera.podInRock);
        EXPECT_EQ(camera.eyeIn, 0) << "circuit " << i + 1;
        EXPECT_EQ(camera.viewIn, 0) << "circuit " << i + 1;
        EXPECT_EQ(camera.podHidden, 0) << "circuit " << i + 1;
        EXPECT_LE(camera.podInRock, 8) << "circuit " << i + 1 << ": more than the frame of one impact a run";
    }
}

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

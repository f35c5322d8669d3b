#include "race/ChaseView.h"

#include "motion/Body.h"
#include "terrain/Terrain.h"

#include <algorithm>
#include <cmath>

namespace {
// How far above the ground below it a chase eye keeps: beyond the near plane's reach below
// the eye and the rise of a steep slope over it, and beyond most of where the drawn ground
// departs from the ground query between samples; yet under the close chase eye's lowest
// height over flat ground, so there the camera stays exactly where it was. That lowest is
// 304: a third of 1000 above a pod resting on its box (half height 91) and then sunk by one
// step of the fastest dive (120) before the next contact lifts it.
constexpr double EYE_CLEARANCE = 250.0;
// The line from the body to the eye is tested at this spacing, finer than the ground's grid.
constexpr double LINE_STEP = 50.0;
// An eye raised over the slope behind never goes higher above the body than this share of the
// chase distance (about 68 degrees down onto it).
constexpr double HIGHEST_RISE = 2.5;
// Never nearer than this: closer, the body would fill the picture.
constexpr double NEAREST_EYE = 400.0;
// The near plane's farthest corner from the eye (50 ahead, 45 degrees high at 4:3 is about 61
// away), with a little to spare.
constexpr double NEAR_REACH = 65.0;

double groundHeight(const Terrain& terrain, const Vector3& at) {
    Vector3 normal;
    return terrain.groundAt(at, normal).y;
}

// Over the ground under it by the clearance, and over the ground all round by the near plane's
// reach: on a face steeper than about three in one the ground within that reach rises more
// than the clearance, and the picture would start inside it.
void keepAboveGround(Vector3& eye, const Terrain& terrain) {
    double lowest = groundHeight(terrain, eye) + EYE_CLEARANCE;
    for (int k = 0; k < 8; ++k) {
        const double a = k * 0.7853981633974483;
        const Vector3 around = eye + Vector3(std::cos(a), 0, std::sin(a)) * NEAR_REACH;
        lowest = std::max(lowest, groundHeight(terrain, around) + NEAR_REACH);
    }
    eye.y = std::max(eye.y, lowest);
}

// What the line from the body to an eye must clear at a share t of its length: nothing at the
// body (which may sit a little into the ground for a step), growing to an eye's own clearance.
double lineFloor(const Terrain& terrain, const Vector3& at, double t, double sunk) {
    return groundHeight(terrain, at) + EYE_CLEARANCE * t + sunk * (1.0 - t);
}

int lineSteps(const Vector3& body, const Vector3& eye) {
    return std::max(1, static_cast<int>(std::ceil(length(eye - body) / LINE_STEP)));
}

double sunkBy(const Vector3& body, const Terrain& terrain) { return std::min(0.0, body.y - groundHeight(terrain, body)); }

// The lowest height over the eye's x and z from which the line to the body clears the ground.
double clearHeight(const Vector3& body, const Vector3& eye, const Terrain& terrain) {
    const double sunk = sunkBy(body, terrain);
    const int steps = lineSteps(body, eye);
    double rise = -1e300;
    for (int k = 1; k <= steps; ++k) {
        const double t = static_cast<double>(k) / steps;
        rise = std::max(rise, (lineFloor(terrain, body + (eye - body) * t, t, sunk) - body.y) / t);
    }
    return body.y + rise;
}

// The share of the line from the body to the eye that is clear of the ground.
double clearShare(const Vector3& body, const Vector3& eye, const Terrain& terrain) {
    const double sunk = sunkBy(body, terrain);
    const int steps = lineSteps(body, eye);
    for (int k = 1; k <= steps; ++k) {
        const double t = static_cast<double>(k) / steps;
        const Vector3 at = body + (eye - body) * t;
        if (at.y < lineFloor(terrain, at, t, sunk)) return static_cast<double>(k - 1) / steps;
    }
    return 1.0;
}

// v turned by the rotation that takes the unit direction `from` onto the unit direction `to`.
Vector3 turnedLike(const Vector3& v, const Vector3& from, const Vector3& to) {
    const Vector3 axis = cross(from, to);
    const double sine = length(axis);
    if (sine < 1e-12) return v;
    const Vector3 k = axis / sine;
    const double cosine = dot(from, to);
    return v * cosine + cross(k, v) * sine + k * (dot(k, v) * (1.0 - cosine));
}
}

Body chaseView(const Body& followed, double distance, const Terrain& terrain) {
    Body camera = chaseCamera(followed, distance);
    const Vector3 body = followed.position();
    const Vector3 placed = camera.position();

    // Up first, keeping the distance behind, as far as a view still looking along the way;
    // what rises steeper than that (a cliff) brings the eye in towards the body instead.
    Vector3 eye = placed;
    keepAboveGround(eye, terrain);
    // A body inside the rock (pinned in a cliff above the flight ceiling) shows from nowhere:
    // the eye only leaves the rock, looking the way it always does.
    if (body.y < groundHeight(terrain, body) - EYE_CLEARANCE) {
        camera.shift(eye - placed);
        return camera;
    }
    const double clear = clearHeight(body, eye, terrain);
    eye.y = std::max(eye.y, std::min(clear, body.y + HIGHEST_RISE * distance));
    const double reach = length(eye - body);
    if (eye.y < clear && reach > NEAREST_EYE) {
        eye = body + (eye - body) * std::max(clearShare(body, eye, terrain), NEAREST_EYE / reach);
        keepAboveGround(eye, terrain);  // the line asked less clearance of it than an eye needs
    }
    if (eye == placed) return camera;

    const Vector3 before = (body - placed) / length(body - placed);
    const Vector3 after = (body - eye) / length(body - eye);
    const Frame& f = camera.frame();
    camera.place(Frame(eye, eye + turnedLike(f.lookPoint - f.position, before, after), turnedLike(f.up, before, after)));
    return camera;
}

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
// Never nearer than this: closer, the body would fill the picture.
constexpr double NEAREST_EYE = 400.0;

double groundHeight(const Terrain& terrain, const Vector3& at) {
    Vector3 normal;
    return terrain.groundAt(at, normal).y;
}

void keepAboveGround(Vector3& eye, const Terrain& terrain) {
    eye.y = std::max(eye.y, groundHeight(terrain, eye) + EYE_CLEARANCE);
}

// The share of the line from the body to the eye that is clear of the ground: the clearance
// asked for grows from none at the body (which may sit a little into the ground for a step)
// to the eye's own at the far end.
double clearShare(const Vector3& body, const Vector3& eye, const Terrain& terrain) {
    const double sunk = std::min(0.0, body.y - groundHeight(terrain, body));
    const int steps = std::max(1, static_cast<int>(std::ceil(length(eye - body) / LINE_STEP)));
    for (int k = 1; k <= steps; ++k) {
        const double t = static_cast<double>(k) / steps;
        const Vector3 at = body + (eye - body) * t;
        if (at.y < groundHeight(terrain, at) + EYE_CLEARANCE * t + sunk * (1.0 - t))
            return static_cast<double>(k - 1) / steps;
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

    Vector3 eye = placed;
    keepAboveGround(eye, terrain);
    const double reach = length(eye - body);
    if (reach > NEAREST_EYE) {
        const double share = std::max(clearShare(body, eye, terrain), NEAREST_EYE / reach);
        if (share < 1.0) {
            eye = body + (eye - body) * share;
            keepAboveGround(eye, terrain);  // the line asked less clearance of it than an eye needs
        }
    }
    if (eye == placed) return camera;

    const Vector3 before = (body - placed) / length(body - placed);
    const Vector3 after = (body - eye) / length(body - eye);
    const Frame& f = camera.frame();
    camera.place(Frame(eye, eye + turnedLike(f.lookPoint - f.position, before, after), turnedLike(f.up, before, after)));
    return camera;
}

#include "entities/AIPod.h"

#include "entities/FrameRecord.h"

#include <cmath>

AIPod::AIPod(Model* model, int kind) : Pod(model, kind) {}

void AIPod::pursue(Body& b, const Vector3& d) {
    const Vector3 u = d / length(d);
    Vector3 f(u.x, 0.0, u.z);
    f = f / length(f);
    const Vector3 ahead = b.lookPoint() - b.position();
    Vector3 h(ahead.x, 0.0, ahead.z);
    h = h / length(h);

    // A NaN here (checkpoint straight above, vertical heading, rounding beyond [-1, 1])
    // fails both comparisons below: no turn and no brake that frame.
    double a = std::acos(dot(f, h));
    const Vector3 leftSide(h.z, 0.0, -h.x);
    if (dot(f, leftSide) < 0) {
        a = -a;
    }
    const double climb = 2.0 * u.y;

    if (std::fabs(a) > DEAD_ZONE) {
        b.yawInput(2.0 * a);
        // Signed on purpose: turns to the right brake negatively.
        b.setBrake(a / 8.0);
    }
    if (std::fabs(climb) > DEAD_ZONE) {
        b.climbInput(climb);
    }
    b.thrust(THRUST);
}

void AIPod::update() {
    // On the frame of arrival the pod still steers toward the checkpoint just reached.
    const bool onCircuit = circuit() != nullptr;
    const Vector3 d = arriveAtCheckpoint();

    if (onCircuit) pursue(*body(), d);
    if (record() != nullptr) record()->drive(this, onCircuit ? THRUST : 0.0, false);

    refreshBox();
    refreshProgress();
}

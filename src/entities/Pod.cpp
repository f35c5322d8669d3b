#include "entities/Pod.h"

#include "entities/FrameRecord.h"
#include "terrain/Terrain.h"

Pod::Pod(Model* model, int kind) : Entity(model, kind) {
    laps_ = 0;
    progress_ = 0.0;
    nextCheckpoint_ = 1;
    if (const Terrain* terrain = circuit()) {
        replaceBody(std::make_unique<Body>(terrain->checkpoint(0), terrain->checkpoint(1), Vector3(0, 1, 0)));
    }
}

Vector3 Pod::arriveAtCheckpoint() {
    const Terrain* terrain = circuit();
    if (terrain == nullptr) {
        return Vector3(0, 0, 0);
    }
    const int n = circuitLength(*terrain);
    // A circuit swapped for a shorter one must not leave the pod aiming past its end.
    if (nextCheckpoint_ < 0 || nextCheckpoint_ >= n) {
        nextCheckpoint_ = 0;
    }
    const Vector3 d = terrain->checkpoint(nextCheckpoint_) - body()->position();
    if (lengthSquared(d) < ARRIVAL_DISTANCE_SQUARED) {
        nextCheckpoint_ = (nextCheckpoint_ + 1) % n;
        if (nextCheckpoint_ == 0) {
            laps_ += 1;
        }
        note(FrameEvent{nextCheckpoint_ == 0 ? FrameEvent::Kind::Lap : FrameEvent::Kind::Checkpoint, this, nullptr, 0,
                        0.0, body()->position()});
    }
    return d;
}

#include "entities/Missile.h"

#include "app/services/KeySlots.h"
#include "app/services/KeyTable.h"
#include "entities/FrameRecord.h"

#include <cmath>

Missile::Missile(Model* model, Entity* owner, int kind) : Entity(model, kind), owner_(owner) {
    // The default body has no tuning; a space bar held from the menu into the first race
    // frame fires before any ride, so the missile must leave with a working body.
    if (owner_ != nullptr) {
        replaceBody(std::make_unique<Body>(*owner_->body()));
    }
}

void Missile::update() {
    if (owner_ == nullptr) {
        refreshBox();
        return;
    }

    // Both triggers come before the ride, whatever the missile is doing.
    const bool wasDocked = docked_ == 1;
    if (keyDown(KEY_SPACE) && kind() == KIND_PLAYER_MISSILE) {
        docked_ = 0;
        owner_->missileReady() = 0;
    }
    if (kind() == KIND_AI_MISSILE && target_ != nullptr) {
        const Body& from = *owner_->body();
        const Vector3 heading = from.lookPoint() - from.position();
        const Vector3 toTarget = target_->body()->position() - from.position();
        const Vector3 aim = heading / length(heading);
        const Vector3 to = toTarget / length(toTarget);
        // Outside [-1, 1] (rounding) or undefined (target on the owner) the angle is NaN
        // and the pod does not fire.
        const double angle = std::acos(dot(aim, to));
        if (std::fabs(angle) < FIRE_ANGLE && lengthSquared(toTarget) < FIRE_DISTANCE_SQUARED) {
            docked_ = 0;
            owner_->missileReady() = 0;
        }
    }

    if (wasDocked && docked_ == 0) note(FrameEvent{FrameEvent::Kind::Launch, this, nullptr, 0, 0.0, body()->position()});

    if (docked_ == 1) {
        replaceBody(std::make_unique<Body>(*owner_->body()));
        setBox(Box(Vector3(0, 0, 0), Vector3(0, 0, 0)));
    } else {
        body()->thrust(THRUST);
        refreshBox();
    }
}

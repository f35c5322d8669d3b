#include "entities/PlayerPod.h"

#include "app/services/KeySlots.h"
#include "app/services/KeyTable.h"
#include "entities/FrameRecord.h"

PlayerPod::PlayerPod(Model* model, int kind) : Pod(model, kind) {}

void PlayerPod::update() {
    arriveAtCheckpoint();

    // Every held key acts, opposite keys included, in this order; letters in either case.
    Body& b = *body();
    double thrust = 0.0;
    if (letterDown(KEY_W)) {
        b.thrust(THRUST);
        thrust += THRUST;
    }
    if (letterDown(KEY_X)) b.setBrake(1.0);
    if (keyDown(KEY_LEFT)) b.yawInput(1.0);
    if (keyDown(KEY_RIGHT)) b.yawInput(-1.0);
    if (keyDown(KEY_SEVEN)) b.sideThrust(-100.0);
    if (keyDown(KEY_ONE)) b.sideThrust(100.0);
    if (keyDown(KEY_DOWN)) b.climbInput(1.0);  // the down arrow rises
    if (keyDown(KEY_UP)) b.climbInput(-1.0);
    const bool boosting = letterDown(KEY_C) && boost() > 0;
    if (boosting) {
        b.thrust(BOOST_THRUST);
        thrust += BOOST_THRUST;
        // One frame's worth of boost; it may end a little below zero.
        boost() -= static_cast<int>(b.msSinceStep());
    }

    if (record() != nullptr) record()->drive(this, thrust, boosting);

    refreshBox();
    refreshProgress();
}

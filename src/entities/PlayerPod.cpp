#include "entities/PlayerPod.h"

#include "app/services/KeySlots.h"
#include "app/services/KeyTable.h"

PlayerPod::PlayerPod(Model* model, int kind) : Pod(model, kind) {}

void PlayerPod::update() {
    arriveAtCheckpoint();

    // Every held key acts, opposite keys included, in this order.
    Body& b = *body();
    if (keyDown(KEY_W)) b.thrust(1.1);
    if (keyDown(KEY_X)) b.setBrake(1.0);
    if (keyDown(KEY_LEFT)) b.yawInput(1.0);
    if (keyDown(KEY_RIGHT)) b.yawInput(-1.0);
    if (keyDown(KEY_SEVEN)) b.sideThrust(-100.0);
    if (keyDown(KEY_ONE)) b.sideThrust(100.0);
    if (keyDown(KEY_DOWN)) b.climbInput(1.0);  // the down arrow rises
    if (keyDown(KEY_UP)) b.climbInput(-1.0);
    if (keyDown(KEY_C) && boost() > 0) {
        b.thrust(1.5);
        // One frame's worth of boost; it may end a little below zero.
        boost() -= static_cast<int>(b.msSinceStep());
    }

    refreshBox();
    refreshProgress();
}

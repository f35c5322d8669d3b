#include "entities/PlayerPod.h"

#include "app/KeyTable.h"

namespace {

// Key slots of the player's controls (special keys sit at their code less 87).
constexpr int SLOT_THRUST = 'w';
constexpr int SLOT_BRAKE = 'x';
constexpr int SLOT_LEFT = 13;  // left arrow, and Enter, which shares its slot
constexpr int SLOT_RIGHT = 15;
constexpr int SLOT_SLIDE_LEFT = '7';
constexpr int SLOT_SLIDE_RIGHT = '1';
constexpr int SLOT_RISE = 16;  // down arrow
constexpr int SLOT_SINK = 14;  // up arrow
constexpr int SLOT_BOOST = 'c';

}  // namespace

PlayerPod::PlayerPod(Model* model, int kind) : Pod(model, kind) {}

void PlayerPod::update() {
    arriveAtCheckpoint();

    // Every held key acts, opposite keys included, in this order.
    Body& b = *body();
    if (keyDown(SLOT_THRUST)) b.thrust(1.1);
    if (keyDown(SLOT_BRAKE)) b.setBrake(1.0);
    if (keyDown(SLOT_LEFT)) b.yawInput(1.0);
    if (keyDown(SLOT_RIGHT)) b.yawInput(-1.0);
    if (keyDown(SLOT_SLIDE_LEFT)) b.sideThrust(-100.0);
    if (keyDown(SLOT_SLIDE_RIGHT)) b.sideThrust(100.0);
    if (keyDown(SLOT_RISE)) b.climbInput(1.0);
    if (keyDown(SLOT_SINK)) b.climbInput(-1.0);
    if (keyDown(SLOT_BOOST) && boost() > 0) {
        b.thrust(1.5);
        // One frame's worth of boost; it may end a little below zero.
        boost() -= static_cast<int>(b.msSinceStep());
    }

    refreshBox();
    refreshProgress();
}

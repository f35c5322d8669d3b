#pragma once

#include "Floor.h"

#include "app/services/Text.h"
#include "motion/Body.h"

#include <vector>

class Race;

// An entity as one frame drew it: which model, and where.
struct PlacedEntity {
    int model = 0;
    Body body;
};

// Everything one race frame put on the screen, recorded as the game drew it.
struct FrameScene {
    CameraPose pose;
    bool lit = false;
    std::vector<PlacedEntity> entities;
    std::vector<TextRecord> texts;
};

// What the race's camera, lighting and entities in view are before its next frame is drawn.
FrameScene sceneBeforeFrame(const Race& race);

// The fastest way OpenGL 1.1 can draw each recorded frame whole: the same clear and view,
// every model a display list (compiled from vertex arrays), the same ground triangles in one
// vertex-array call, the sky one display list, and every glyph of the head-up display in one
// vertex-array call. Milliseconds per frame, each ending with glFinish; preparing the arrays
// and lists is not counted.
std::vector<double> timeWholeFloor(Race& race, const std::vector<FrameScene>& scenes);

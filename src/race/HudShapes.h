#pragma once

// The head-up display's two shapes, drawn on the text plane over everything.

// The whole screen darkened: 0 leaves it as it is, 1 makes it black.
void drawDarkening(double darkness);

// Centre of the way-back arrow, in screen fractions: top middle, under the top row of values.
constexpr double WAY_BACK_ARROW_X = 0.5;
constexpr double WAY_BACK_ARROW_Y = 0.27;
// The arrow, yellow in a dark rim, pointing up when angle is 0 and turned counter-clockwise
// by angle (radians): to the left for a target on the pod's left.
void drawWayBackArrow(double angle);

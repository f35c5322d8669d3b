#include "race/HudShapes.h"

#include "app/services/Text.h"

#include <GL/gl.h>

#include <cmath>

namespace {
constexpr float TEXT_PLANE_Z = -100.0f;

// The arrow pointing up, in eye units about its centre: a head of three corners over a shaft.
constexpr double HEAD[3][2] = {{0.0, 6.0}, {-4.5, 0.5}, {4.5, 0.5}};
constexpr double SHAFT[4][2] = {{-1.7, 0.5}, {-1.7, -6.0}, {1.7, -6.0}, {1.7, 0.5}};
// The dark rim: the same arrow a little larger behind it.
constexpr double RIM_SCALE = 1.22;

// Shapes without texture or depth, under the identity model-view, as the texts are drawn.
class FlatShapes {
public:
    FlatShapes() {
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_DEPTH_TEST);
    }
    ~FlatShapes() {
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
        glPopMatrix();
    }
    FlatShapes(const FlatShapes&) = delete;
    FlatShapes& operator=(const FlatShapes&) = delete;
};

void sendArrow(double angle, double scale) {
    const double c = std::cos(angle), s = std::sin(angle);
    const double cx = screenToEyeX(WAY_BACK_ARROW_X), cy = screenToEyeY(WAY_BACK_ARROW_Y);
    auto vertex = [&](const double (&p)[2]) {
        const double x = p[0] * scale, y = p[1] * scale;
        glVertex3f(static_cast<float>(cx + x * c - y * s), static_cast<float>(cy + x * s + y * c), TEXT_PLANE_Z);
    };
    glBegin(GL_TRIANGLES);
    for (const auto& corner : HEAD) vertex(corner);
    glEnd();
    glBegin(GL_QUADS);
    for (const auto& corner : SHAFT) vertex(corner);
    glEnd();
}
}

void drawDarkening(double darkness) {
    if (!(darkness > 0.0)) return;
    const FlatShapes flat;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.0f, static_cast<float>(darkness > 1.0 ? 1.0 : darkness));
    // Wider than the screen at the text plane, whatever the window's shape.
    glBegin(GL_QUADS);
    glVertex3f(-80.0f, 60.0f, TEXT_PLANE_Z);
    glVertex3f(-80.0f, -60.0f, TEXT_PLANE_Z);
    glVertex3f(80.0f, -60.0f, TEXT_PLANE_Z);
    glVertex3f(80.0f, 60.0f, TEXT_PLANE_Z);
    glEnd();
    glDisable(GL_BLEND);
}

void drawWayBackArrow(double angle) {
    const FlatShapes flat;
    glColor3f(0.05f, 0.05f, 0.05f);
    sendArrow(angle, RIM_SCALE);
    glColor3f(1.0f, 1.0f, 0.1f);
    sendArrow(angle, 1.0);
}

#include "race/Race.h"

#include "app/services/Clock.h"
#include "app/services/GlServices.h"
#include "entities/Entity.h"
#include "motion/Body.h"
#include "race/Hud.h"
#include "race/ImpactDrawing.h"
#include "terrain/Terrain.h"

#include <GL/gl.h>

#include <cmath>

namespace {
// A missile strike flashes this long, a star of light growing from the point of impact.
constexpr std::uint32_t IMPACT_MS = 300;
constexpr double IMPACT_START_RADIUS = 300.0;
constexpr double IMPACT_END_RADIUS = 1800.0;
constexpr int IMPACT_SPIKES = 12;
constexpr double PI = 3.14159265358979323846;

void vertex(const Vector3& v) { glVertex3d(v.x, v.y, v.z); }

// Facing the camera: a white-hot centre fading to orange at the spikes' tips.
void drawBurst(const Vector3& at, const Vector3& right, const Vector3& up, double radius, double fade) {
    glBegin(GL_TRIANGLE_FAN);
    glColor4d(1.0, 1.0, 0.85, fade);
    vertex(at);
    for (int i = 0; i <= 2 * IMPACT_SPIKES; ++i) {
        const double angle = PI * i / IMPACT_SPIKES;
        const double r = i % 2 == 0 ? radius : 0.45 * radius;
        glColor4d(1.0, 0.45, 0.1, 0.0);
        vertex(at + right * (r * std::cos(angle)) + up * (r * std::sin(angle)));
    }
    glEnd();
}
}  // namespace

void Race::drawWorld() {
    applyView();
    drawEntities();
    terrain_->draw(*camera_);
    terrain_->drawSky();
    drawImpacts();
    drawHud(*this);
}

void Race::applyView() const {
    // Only the cockpit view takes the body's bank, pitch and bob.
    camera_->applyCamera(cameraDistance_ == COCKPIT);
}

void Race::drawEntities() const {
    // Models take their own colours: white under their textures, whatever colour the screen
    // before (the loading text) or the head-up display left current.
    glColor3f(1.0f, 1.0f, 1.0f);
    // After the view, so the light stays fixed in the world.
    if (lighting_) lightsOn();
    for (int i = 0; i < entityCount(); ++i)
        if (isDrawn(i)) entities_[static_cast<std::size_t>(i)]->draw();
    if (lighting_) lightsOff();
}

void drawImpactBursts(const ImpactList& impacts, std::uint32_t now, const Body& camera) {
    const Vector3 eye = camera.position();
    bool begun = false;
    for (const Impact& impact : impacts) {
        const std::uint32_t age = now - impact.timeMs;
        if (!impact.seen || age >= IMPACT_MS) continue;
        if (!begun) {
            // Added light over whatever is behind it, hidden by what stands in front.
            glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_CURRENT_BIT);
            glDisable(GL_TEXTURE_2D);
            glDisable(GL_LIGHTING);
            glDisable(GL_CULL_FACE);
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            glDepthMask(GL_FALSE);
            begun = true;
        }
        Vector3 toward = eye - impact.position;
        if (length(toward) <= 0.0) continue;
        toward = toward / length(toward);
        Vector3 right = cross(camera.up(), toward);
        if (length(right) <= 0.0) right = Vector3(1, 0, 0);
        right = right / length(right);
        const Vector3 up = cross(toward, right);
        const double t = static_cast<double>(age) / IMPACT_MS;
        drawBurst(impact.position, right, up, IMPACT_START_RADIUS + (IMPACT_END_RADIUS - IMPACT_START_RADIUS) * t,
                  1.0 - t);
    }
    if (begun) glPopAttrib();
}

void Race::drawImpacts() const { drawImpactBursts(record_.impacts(), clockMs(), *camera_); }

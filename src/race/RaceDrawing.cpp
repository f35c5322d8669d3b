#include "race/Race.h"

#include "app/services/GlServices.h"
#include "entities/Entity.h"
#include "motion/Body.h"
#include "race/Hud.h"
#include "terrain/Terrain.h"

#include <GL/gl.h>

void Race::drawWorld() const {
    applyView();
    drawEntities();
    terrain_->draw(*camera_);
    terrain_->drawSky();
    drawHud(*this);
}

void Race::applyView() const {
    // Only the cockpit view takes the body's bank, pitch and bob.
    camera_->applyCamera(cameraDistance_ == 0.0);
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

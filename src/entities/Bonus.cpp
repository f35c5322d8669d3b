#include "entities/Bonus.h"

#include "app/services/Clock.h"
#include "terrain/Terrain.h"

Bonus::Bonus(Model* model, int kind, int markerIndex) : Entity(model, kind) {
    const Terrain* terrain = currentTerrain();
    if (terrain != nullptr && markerIndex >= 0 && markerIndex < terrain->bonusMarkerCount() &&
        markerIndex < Terrain::SLOTS) {
        const Vector3 place = terrain->bonusMarkerPosition(markerIndex);
        Vector3 faced(0, 0, 0);
        // A marker straight above the origin would face straight along its up vector,
        // which leaves no frame to draw or turn; face +x there instead.
        if (place.x == faced.x && place.z == faced.z) {
            faced = place + Vector3(1, 0, 0);
        }
        replaceBody(std::make_unique<Body>(place, faced, Vector3(0, 1, 0)));
    }
    active() = 1;
}

void Bonus::update() {
    // Unsigned difference: right across the clock's wrap.
    if (active() == -1 && static_cast<std::uint32_t>(clockMs() - pickedUpAt_) > AWAY_MS) {
        body()->moveUp(OUT_OF_PLAY_DROP);
        active() = 1;
    }
    // Spins whether in play or away.
    body()->yawInput(SPIN);
    refreshBox();
}

void Bonus::markPickedUp() { pickedUpAt_ = clockMs(); }

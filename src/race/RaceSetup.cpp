#include "race/RaceSetup.h"

#include "assets/Model.h"
#include "entities/AIPod.h"
#include "entities/Bonus.h"
#include "entities/Missile.h"
#include "entities/PlayerPod.h"
#include "motion/Body.h"
#include "motion/BodyTuning.h"
#include "race/Race.h"
#include "terrain/Terrain.h"

#include <cmath>

const char* const MODEL_FILES[MODEL_COUNT] = {"Data/pod", "Data/missile", "Data/bonus0", "Data/bonus1", "Data/bonus2"};

namespace {
constexpr double AI_POD_SPACING = 600.0;
constexpr double AI_POD_FIRST_OFFSET = -2500.0;
// Room left between the player and the first AI pod beyond the width their boxes need.
constexpr double START_GAP = 100.0;

// The bonus for marker type 255 is kind 4 with bonus model 0, down to 253, kind 6, model 2.
constexpr int HIGHEST_BONUS_MARKER = 255;
constexpr int LOWEST_BONUS_MARKER = 253;

void addModels(Race& race) {
    for (const char* file : MODEL_FILES) {
        auto model = std::make_unique<Model>();
        model->load(file);
        race.addModel(std::move(model));
    }
}

// Contact boxes stay square to the world axes whatever a pod faces, so the room two pods of
// a row need depends on the row's direction: this far apart along it, the two boxes never
// meet, even while both fly straight on side by side.
double sideBySideClearance(const Vector3& halfExtents, const Vector3& along) {
    return 2.0 * (std::fabs(halfExtents.x * along.x) + std::fabs(halfExtents.y * along.y) +
                  std::fabs(halfExtents.z * along.z));
}
}

int bonusKindForMarker(int markerValue) {
    if (markerValue < LOWEST_BONUS_MARKER || markerValue > HIGHEST_BONUS_MARKER) return -1;
    return 259 - markerValue;
}

void populateRace(Race& race) {
    Model* pod = race.modelAt(POD_MODEL);
    Model* missile = race.modelAt(MISSILE_MODEL);

    auto player = std::make_unique<PlayerPod>(pod, KIND_PLAYER_POD);
    player->body()->setParameters(PLAYER_POD_TUNING);
    // The AI pods' row has no gap wide enough for another pod: the player starts at its end
    // (the end nearer the middle of the road), clear of them all, instead of inside one.
    const double clearance = sideBySideClearance(player->halfExtents(), player->body()->frame().right());
    player->body()->moveRight(AI_POD_FIRST_OFFSET - clearance - START_GAP);
    race.addEntity(std::move(player));

    for (int i = 0; i < AI_POD_COUNT; ++i) {
        auto ai = std::make_unique<AIPod>(pod, KIND_AI_POD);
        ai->body()->moveRight(i * AI_POD_SPACING + AI_POD_FIRST_OFFSET);
        ai->body()->setParameters(AI_POD_TUNING);
        race.addEntity(std::move(ai));
    }

    race.addEntity(std::make_unique<Missile>(missile, race.entityAt(0), KIND_PLAYER_MISSILE));
    for (int owner = 1; owner < MISSILE_COUNT; ++owner)
        race.addEntity(std::make_unique<Missile>(missile, race.entityAt(owner), KIND_AI_MISSILE));

    const Terrain& terrain = *race.terrain();
    for (int i = 0; i < terrain.bonusMarkerCount(); ++i) {
        const int value = terrain.bonusMarkerValue(i);
        const int kind = bonusKindForMarker(value);
        if (kind < 0) continue;  // a marker type without a bonus makes none
        auto bonus = std::make_unique<Bonus>(race.modelAt(FIRST_BONUS_MODEL + HIGHEST_BONUS_MARKER - value), kind, i);
        bonus->body()->setParameters(BONUS_TUNING);
        race.addEntity(std::move(bonus));
    }

    // A camera index left by an earlier race with more entities wraps into this one.
    setCameraIndex(cameraIndex() % static_cast<unsigned int>(race.entityCount()));
    race.applyViewDistance();
    race.setView(0, Race::CHASE_DISTANCE);
    race.start();
    // The first frame already shows each pod's place, from where the pods start.
    for (Entity* p : race.pods()) p->refreshProgress();
    race.rankPods();
}

void setUpRace(const CircuitSpec& circuit) {
    auto race = std::make_unique<Race>(circuit.heightmapPath, circuit.grassPath, circuit.skyPrefix,
                                       circuit.heightScale, circuit.gridSpacing);
    setCurrentTerrain(race->terrain());
    addModels(*race);
    Race& built = *race;
    setCurrentRace(std::move(race));
    populateRace(built);
}

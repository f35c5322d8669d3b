#include "content/PodFlight.h"

#include "app/services/Clock.h"
#include "content/HeadlessModel.h"
#include "content/Models.h"
#include "entities/AIPod.h"
#include "entities/Bonus.h"
#include "entities/CollisionSet.h"
#include "motion/BodyTuning.h"
#include "race/RaceSetup.h"

namespace {

// Any start: every duration is a difference of two readings.
constexpr std::uint32_t FLIGHT_START_MS = 1000;

// The generated models in the race's model order, made once.
const std::vector<std::unique_ptr<HeadlessModel>>& raceModels() {
    static const std::vector<std::unique_ptr<HeadlessModel>> models = [] {
        std::vector<std::unique_ptr<HeadlessModel>> made;
        for (const ModelAsset& asset : buildModels()) made.push_back(std::make_unique<HeadlessModel>(asset.mesh));
        return made;
    }();
    return models;
}

Model* bonusModel(int kind) { return raceModels()[FIRST_BONUS_MODEL + kind - KIND_RELOAD_BONUS].get(); }

// A bonus put where the caller says rather than at a marker of the terrain.
class PlacedBonus : public Bonus {
public:
    PlacedBonus(Model* model, const Vector3& place) : Bonus(model, KIND_MONEY_BONUS, -1) {
        replaceBody(std::make_unique<Body>(place, place + Vector3(1, 0, 0), Vector3(0, 1, 0)));
        body()->setParameters(BONUS_TUNING);
        body()->step();
        update();
    }
};

// The flights make the terrain current and run the test clock; both go back afterwards.
class FlightScene {
public:
    explicit FlightScene(Terrain& terrain) : previous_(currentTerrain()) {
        setTestClock(FLIGHT_START_MS);
        setCurrentTerrain(&terrain);
    }
    ~FlightScene() {
        setCurrentTerrain(previous_);
        useRealClock();
    }

private:
    Terrain* previous_ = nullptr;
};

}  // namespace

CircuitFlights::CircuitFlights(const Image& heightmap, double heightScale, double gridSpacing)
    : terrain_(std::make_unique<Terrain>(Vector3(0, 0, 0), heightmap, heightScale, gridSpacing)),
      gridSpacing_(gridSpacing) {}

CircuitFlights::~CircuitFlights() = default;

FlightResult CircuitFlights::fly(const FlightSettings& settings) const {
    FlightResult result;
    if (terrain_->checkpointCount() < 2) return result;
    FlightScene scene(*terrain_);
    AIPod pod(raceModels()[POD_MODEL].get());
    pod.body()->moveRight(settings.sideOffset);
    pod.body()->setParameters(AI_POD_TUNING);
    std::vector<std::unique_ptr<Bonus>> bonuses;
    std::vector<Entity*> list{&pod};
    for (int i = 0; settings.withBonuses && i < terrain_->bonusMarkerCount(); ++i) {
        const int kind = bonusKindForMarker(terrain_->bonusMarkerValue(i));
        if (kind < 0) continue;
        bonuses.push_back(std::make_unique<Bonus>(bonusModel(kind), kind, i));
        bonuses.back()->body()->setParameters(BONUS_TUNING);
        list.push_back(bonuses.back().get());
    }
    CollisionSet contacts(list);

    std::uint32_t now = FLIGHT_START_MS;
    while (result.timeMs < settings.timeLimitMs && pod.laps() < settings.laps) {
        now += settings.frameMs;
        setTestClock(now);
        // The race frame for these entities: updates, contacts, steps.
        for (Entity* e : list) e->update();
        contacts.resolveEntityContacts();
        const Vector3 before = pod.body()->position();
        contacts.resolveTerrainContacts(*terrain_);
        if (pod.body()->position() != before) ++result.groundContacts;
        for (Entity* e : list) e->body()->step();
        for (const auto& bonus : bonuses)
            if (bonus->active() == -1 && bonus->pickedUpAt() == now) result.pickUps.push_back({pod.laps(), bonus->kind()});
        result.timeMs += settings.frameMs;
        result.path.push_back({pod.body()->position(), pod.box(), pod.laps()});
    }
    result.laps = pod.laps();
    result.finished = pod.laps() >= settings.laps;
    return result;
}

Box CircuitFlights::bonusBox(int kind, int x, int y, double markerY) const {
    FlightScene scene(*terrain_);
    Vector3 place = terrain_->vertex(y, x);
    place.y = markerY;
    return PlacedBonus(bonusModel(kind), place).box();
}

// The inverse of the terrain's vertex placement round the origin.
double CircuitFlights::pixelX(double worldX) const { return worldX / gridSpacing_ + terrain_->columns() / 2; }
double CircuitFlights::pixelY(double worldZ) const { return worldZ / gridSpacing_ + terrain_->rows() / 2; }

#include "race/Race.h"

#include "app/services/Clock.h"
#include "app/services/KeySlots.h"
#include "app/services/KeyTable.h"
#include "assets/Model.h"
#include "entities/CollisionSet.h"
#include "entities/Entity.h"
#include "entities/Missile.h"
#include "motion/Body.h"
#include "race/ChaseView.h"
#include "race/WayBack.h"
#include "terrain/Terrain.h"

#include <algorithm>
#include <climits>

namespace {
constexpr int VIEW_DISTANCE_STEP = 10000;

// No bound on the view distance, but no signed overflow either.
int stepViewDistance(int distance, int step) {
    if (step > 0 && distance > INT_MAX - step) return INT_MAX;
    if (step < 0 && distance < INT_MIN - step) return INT_MIN;
    return distance + step;
}

const Vector3 ORIGIN(0, 0, 0);
}

Race::Race(const char* heightmapPath, const char* grassPath, const char* skyPrefix, double heightScale,
           double gridSpacing)
    : Race(std::make_unique<Terrain>(ORIGIN, heightmapPath, grassPath, skyPrefix, heightScale, gridSpacing)) {}

Race::Race(std::unique_ptr<Terrain> terrain)
    : terrain_(std::move(terrain)),
      // Looking down +x until start() puts the camera on the followed entity.
      camera_(std::make_unique<Body>(ORIGIN, Vector3(1, 0, 0), Vector3(0, 1, 0))) {}

Race::~Race() {
    // Entities first: they hold the models they draw and read the terrain.
    pods_.clear();
    collisions_.reset();
    entities_.clear();
    models_.clear();
    // The entities find the checkpoints and markers through the current terrain; never leave it dangling.
    if (currentTerrain() == terrain_.get()) setCurrentTerrain(nullptr);
    terrain_.reset();
    camera_.reset();
}

int Race::addModel(std::unique_ptr<Model> model) {
    models_.push_back(std::move(model));
    return modelCount() - 1;
}

int Race::addEntity(std::unique_ptr<Entity> entity) {
    if (isPodKind(entity->kind())) {
        pods_.push_back(entity.get());
        entity->setStartTime(clockMs());
    }
    entity->setRecord(&record_);
    entities_.push_back(std::move(entity));
    return entityCount() - 1;
}

Entity* Race::entityAt(int i) const { return entities_[static_cast<std::size_t>(i)].get(); }
Model* Race::modelAt(int i) const { return models_[static_cast<std::size_t>(i)].get(); }

void Race::start() {
    collisions_.reset();
    std::vector<Entity*> list;
    list.reserve(entities_.size());
    for (const auto& entity : entities_) list.push_back(entity.get());
    collisions_ = std::make_unique<CollisionSet>(list);
    collisions_->setRecord(&record_);
    record_.reserve(entities_.size());
    if (!entities_.empty()) rescue_.setStart(entities_.front()->body()->frame());
    placeCamera();
}

void Race::setView(int viewed, double distance) {
    viewedIndex_ = viewed;
    cameraDistance_ = distance;
}

void Race::readKeys() {
    if (keyDown(KEY_ZERO)) setLighting(1);
    if (keyDown(KEY_FULL_STOP)) setLighting(0);
    // In this order: F3 wins over F2, F2 over F1.
    if (keyDown(KEY_F1)) setView(0, COCKPIT);
    if (keyDown(KEY_F2)) setView(0, CHASE_DISTANCE);
    if (keyDown(KEY_F3)) setView(0, CLOSE_CHASE_DISTANCE);
    if (keyDown(KEY_PAGE_UP)) {
        setViewDistance(stepViewDistance(viewDistance(), VIEW_DISTANCE_STEP));
        applyViewDistance();
    }
    if (keyDown(KEY_PAGE_DOWN)) {
        setViewDistance(stepViewDistance(viewDistance(), -VIEW_DISTANCE_STEP));
        applyViewDistance();
    }
}

void Race::applyViewDistance() { terrain_->setViewDistance(static_cast<double>(viewDistance())); }

void Race::rankPods() {
    std::sort(pods_.begin(), pods_.end(),
              [](const Entity* a, const Entity* b) { return a->progress() > b->progress(); });
}

void Race::assignMissileTargets() {
    const std::size_t n = pods_.size();
    if (n == 0) return;
    for (const auto& entity : entities_) {
        if (!isMissileKind(entity->kind())) continue;
        auto* missile = static_cast<Missile*>(entity.get());
        const std::size_t j = std::find(pods_.begin(), pods_.end(), missile->owner()) - pods_.begin();
        missile->setTarget(pods_[(j + n - 1) % n]);
    }
}

bool Race::isDrawn(int i) const {
    const Vector3 cameraPosition = camera_->position();
    const Vector3 toEntity = entityAt(i)->body()->position() - cameraPosition;
    const Vector3 viewDirection = camera_->lookPoint() - cameraPosition;
    if (dot(toEntity, viewDirection) < 0.0) return false;
    const double range = terrain_->getViewDistance();
    if (lengthSquared(toEntity) > range * range) return false;
    return !(i == viewedIndex_ && cameraDistance_ == COCKPIT);
}

void Race::think() {
    record_.begin(clockMs());
    for (const auto& entity : entities_) entity->update();
}

void Race::collide() {
    if (!collisions_) return;
    collisions_->resolveEntityContacts();
    collisions_->resolveTerrainContacts(*terrain_);
}

void Race::moveBodies() {
    for (const auto& entity : entities_) entity->body()->step();
}

void Race::updateCamera() {
    if (keyDown(KEY_PLUS) && !entities_.empty())
        setCameraIndex((cameraIndex() + 1u) % static_cast<unsigned int>(entities_.size()));
    if (keyDown(KEY_HOME)) setCameraIndex(0);  // the player's pod, the first entity set-up adds
    placeCamera();
}

void Race::rankAndAim() {
    rankPods();
    assignMissileTargets();
}

void Race::runFrame(bool draw) {
    readKeys();
    rankAndAim();
    if (draw) drawWorld();
    think();
    collide();
    moveBodies();
    rescuePlayer();
    watchHeading();
    updateCamera();
}

void Race::watchHeading() {
    const Terrain* circuit = Entity::circuit();
    const Entity* viewed = viewedIndex_ >= 0 && viewedIndex_ < entityCount() ? entityAt(viewedIndex_) : nullptr;
    if (circuit == nullptr || viewed == nullptr || !isPodKind(viewed->kind())) {
        wrongWay_.reset();
        offRoad_ = false;
        return;
    }
    int next = viewed->nextCheckpoint();
    if (next < 0 || next >= Entity::circuitLength(*circuit)) next = 0;  // as the pods themselves mend it
    const Body& pod = *viewed->body();
    const std::uint32_t now = clockMs();
    wrongWay_.watch(pod, circuit->checkpoint(next), now);
    offRoad_ = offRoad(*circuit, next, pod.position());
    wayBackAngle_ = ::wayBackAngle(pod.frame(), circuit->checkpoint(next));
    rescueHint_.watch(offRoad_, length(pod.velocity()), now);
}

void Race::rescuePlayer() {
    const Terrain* circuit = Entity::circuit();
    if (circuit == nullptr || entities_.empty() || entities_.front()->kind() != KIND_PLAYER_POD) return;
    if (rescue_.update(keyDown(KEY_BACKSPACE) != 0, *entities_.front(), *circuit, clockMs())) rescueHint_.dismiss();
}

double Race::rescueDarkness() const { return rescue_.darkness(clockMs()); }

bool Race::cameraFollowsAnother() const {
    return !entities_.empty() && static_cast<int>(cameraIndex() % entities_.size()) != viewedIndex_;
}

void Race::placeCamera() {
    if (entities_.empty()) return;
    // Set-up brings the index into range; the modulo only guards races built elsewhere.
    const Entity* followed = entities_[cameraIndex() % entities_.size()].get();
    if (cameraDistance_ == COCKPIT)
        camera_ = std::make_unique<Body>(chaseCamera(*followed->body(), cameraDistance_));
    else
        camera_ = std::make_unique<Body>(chaseView(*followed->body(), cameraDistance_, *terrain_));
}

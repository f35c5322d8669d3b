#include "sound/RaceState.h"

#include "entities/Entity.h"
#include "entities/Missile.h"
#include "race/Race.h"
#include "terrain/Terrain.h"

#include <algorithm>

namespace {

Vector3 direction(const Vector3& from, const Vector3& to) {
    const Vector3 d = to - from;
    const double l = length(d);
    return l > 0.0 ? d / l : Vector3(1, 0, 0);
}

int indexOf(const Race& race, const Entity* entity) {
    for (int i = 0; i < race.entityCount(); ++i)
        if (race.entityAt(i) == entity) return i;
    return -1;
}

int followedPod(const Race& race) {
    const int count = race.entityCount();
    if (count == 0) return -1;
    const Entity* camera = race.entityAt(static_cast<int>(cameraIndex() % static_cast<unsigned>(count)));
    if (isPodKind(camera->kind())) return indexOf(race, camera);
    if (isMissileKind(camera->kind())) return indexOf(race, static_cast<const Missile*>(camera)->owner());
    const int viewed = race.viewedIndex();
    if (viewed >= 0 && viewed < count && isPodKind(race.entityAt(viewed)->kind())) return viewed;
    return -1;
}

}  // namespace

RaceState captureRaceState(const Race& race, std::uint32_t timeMs) {
    RaceState state;
    state.timeMs = timeMs;
    state.followed = followedPod(race);
    const Body& camera = race.camera();
    state.listenerPosition = camera.position();
    state.listenerForward = direction(camera.position(), camera.lookPoint());
    state.listenerUp = camera.up();
    state.listenerVelocity = camera.velocity();

    state.entities.resize(static_cast<std::size_t>(race.entityCount()));
    for (int i = 0; i < race.entityCount(); ++i) {
        Entity& entity = *race.entityAt(i);
        const Body& body = *entity.body();
        EntityState& e = state.entities[static_cast<std::size_t>(i)];
        e.kind = entity.kind();
        e.position = body.position();
        e.velocity = body.velocity();
        e.forward = direction(body.position(), body.lookPoint());
        e.up = body.up();
        e.lastStepMs = body.lastStepTime();
        if (isPodKind(e.kind)) {
            e.laps = entity.laps();
            e.nextCheckpoint = entity.nextCheckpoint();
            e.money = entity.money();
            e.boost = entity.boost();
            e.missileReady = entity.missileReady();
            if (const Terrain* terrain = race.terrain()) terrain->groundAt(e.position, e.groundNormal);
        } else if (isMissileKind(e.kind)) {
            auto& missile = static_cast<Missile&>(entity);
            e.docked = missile.docked();
            e.owner = indexOf(race, missile.owner());
        }
    }
    return state;
}

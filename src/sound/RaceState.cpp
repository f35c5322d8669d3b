#include "sound/RaceState.h"

#include "entities/Entity.h"
#include "entities/Missile.h"
#include "race/Race.h"

namespace {

Vector3 direction(const Vector3& from, const Vector3& to) {
    const Vector3 d = to - from;
    const double l = length(d);
    return l > 0.0 ? d / l : Vector3(1, 0, 0);
}

int indexOf(const Race& race, const Entity* entity) {
    if (entity == nullptr) return -1;
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

void captureRaceState(const Race& race, std::uint32_t timeMs, RaceState& state) {
    state.timeMs = timeMs;
    state.followed = followedPod(race);
    const Body& camera = race.camera();
    state.listenerPosition = camera.position();
    state.listenerForward = direction(camera.position(), camera.lookPoint());
    state.listenerUp = camera.up();
    state.listenerVelocity = camera.velocity();

    state.entities.resize(static_cast<std::size_t>(race.entityCount()));
    for (int i = 0; i < race.entityCount(); ++i) {
        const Entity& entity = *race.entityAt(i);
        EntityState& e = state.entities[static_cast<std::size_t>(i)];
        e = EntityState{};
        e.kind = entity.kind();
        e.position = entity.body()->position();
        e.velocity = entity.body()->velocity();
        if (isMissileKind(e.kind)) {
            const auto& missile = static_cast<const Missile&>(entity);
            e.docked = missile.docked() == 1;
            e.owner = indexOf(race, missile.owner());
        }
    }
    const FrameRecord& record = race.record();
    for (const PodDrive& drive : record.drives()) {
        const int pod = indexOf(race, drive.pod);
        if (pod < 0) continue;
        state.entities[static_cast<std::size_t>(pod)].thrust = drive.thrust;
        state.entities[static_cast<std::size_t>(pod)].boosting = drive.boosting;
    }
    state.events.clear();
    state.events.reserve(record.events().capacity());
    for (const FrameEvent& event : record.events())
        state.events.push_back(HeardEvent{event.kind, indexOf(race, event.subject), indexOf(race, event.other),
                                          event.bonusKind, event.speed, event.position});
}

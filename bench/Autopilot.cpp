#include "Autopilot.h"

#include "entities/AIPod.h"
#include "entities/Entity.h"
#include "race/Race.h"
#include "terrain/Terrain.h"

void flyPlayer(Race& race) {
    const Terrain* circuit = Entity::circuit();
    if (circuit == nullptr || race.entityCount() == 0) return;
    const Entity& player = *race.entityAt(0);
    Body& body = *player.body();
    AIPod::pursue(body, circuit->checkpoint(player.nextCheckpoint()) - body.position());
}

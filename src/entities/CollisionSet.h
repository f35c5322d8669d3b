#pragma once

#include <vector>

class Body;
class Bonus;
class Entity;
class FrameRecord;
class Missile;
class Terrain;

// Every contact of a race, resolved once per frame after the updates and before the physics
// steps: pods push each other apart, missiles knock pods away, pods take bonuses, and pods
// are lifted out of the ground. Holds pointers only; the race world owns the entities.
class CollisionSet {
public:
    // Sorts the list into pods (kind below 2), missiles (2, 3) and bonuses (above 3),
    // keeping list order within each group. Pod i owns missile i.
    CollisionSet(Entity* const* entities, int count);
    explicit CollisionSet(const std::vector<Entity*>& entities);

    // Pod-pod pushes, then missile strikes, then bonus pick-ups.
    void resolveEntityContacts();
    // Lifts every pod out of the ground by each box corner under it, and sends it back along
    // the ground normal at half its speed; off ground higher than the pod can fly it goes out
    // sideways, down the slope, instead. A pod that has gone past the grid's edge is turned back.
    void resolveTerrainContacts(const Terrain& terrain);

    // Where strikes, pick-ups and ground contacts are noted as they are resolved; none by default.
    void setRecord(FrameRecord* record) { record_ = record; }

    int podCount() const { return static_cast<int>(pods_.size()); }
    int missileCount() const { return static_cast<int>(missiles_.size()); }
    int bonusCount() const { return static_cast<int>(bonuses_.size()); }
    Entity* pod(int i) const { return pods_[i]; }
    Missile* missile(int i) const { return missiles_[i]; }
    Bonus* bonus(int i) const { return bonuses_[i]; }

private:
    void pushPodsApart();
    void strikePodsWithMissiles();
    void handOutBonuses();
    static void bringBackOntoGrid(const Terrain& terrain, Body& b);

    std::vector<Entity*> pods_;
    std::vector<Missile*> missiles_;
    std::vector<Bonus*> bonuses_;
    FrameRecord* record_ = nullptr;
};

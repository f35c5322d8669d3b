#include "entities/CollisionSet.h"

#include "entities/Bonus.h"
#include "entities/FrameRecord.h"
#include "entities/Missile.h"
#include "motion/Body.h"
#include "terrain/Terrain.h"

#include <algorithm>
#include <cmath>

namespace {

// A face's slope is read across this width, about a pod's own.
constexpr double SLOPE_WIDTH = 200.0;
// A push off a face goes no further at a time than the fastest pod flies in a frame, so a
// nearly flat top above the ceiling does not throw a pod far.
constexpr double LONGEST_PUSH = 1500.0;

double groundHeight(const Terrain& terrain, const Vector3& at) {
    Vector3 normal;
    return terrain.groundAt(at, normal).y;
}

// A corner `depth` under the ground is lifted out along the pod's up, as far as it went in.
// Where that lift would take the pod above its ceiling, the step would only lower it again,
// inside the rock, and the face would hold it whatever the keys do: there the pod goes out
// sideways instead, down the slope, as far as the slope needs to clear the corner (measured
// where earlier pushes of this frame left it). Returns that sideways push.
Vector3 liftOut(const Terrain& terrain, Body& b, const Vector3& corner, double depth) {
    if (b.position().y + depth <= b.tuning().ceiling) {
        b.moveUp(depth);
        return Vector3(0, 0, 0);
    }
    const double under = groundHeight(terrain, corner) - corner.y;
    const double h = SLOPE_WIDTH / 2;
    const Vector3 downhill(groundHeight(terrain, corner - Vector3(h, 0, 0)) - groundHeight(terrain, corner + Vector3(h, 0, 0)), 0,
                           groundHeight(terrain, corner - Vector3(0, 0, h)) - groundHeight(terrain, corner + Vector3(0, 0, h)));
    const double slope = length(downhill) / SLOPE_WIDTH;
    if (under <= 0 || slope == 0) return Vector3(0, 0, 0);
    const Vector3 push = downhill / length(downhill) * std::min(under / slope, LONGEST_PUSH);
    b.shift(push);
    return push;
}

}  // namespace

CollisionSet::CollisionSet(Entity* const* entities, int count) {
    for (int i = 0; i < count; ++i) {
        Entity* e = entities[i];
        if (e == nullptr) {
            continue;
        }
        const int kind = e->kind();
        if (isPodKind(kind)) {
            pods_.push_back(e);
        } else if (isMissileKind(kind)) {
            if (auto* missile = dynamic_cast<Missile*>(e)) missiles_.push_back(missile);
        } else if (auto* bonus = dynamic_cast<Bonus*>(e)) {
            bonuses_.push_back(bonus);
        }
    }
}

CollisionSet::CollisionSet(const std::vector<Entity*>& entities)
    : CollisionSet(entities.data(), static_cast<int>(entities.size())) {}

void CollisionSet::resolveEntityContacts() {
    pushPodsApart();
    strikePodsWithMissiles();
    handOutBonuses();
}

void CollisionSet::pushPodsApart() {
    // Only pod i moves here; j is pushed when the outer loop reaches it. The push grows with
    // the distance between centres and with i's own speed, and several pushes add up.
    for (Entity* pod : pods_) {
        const Box a = pod->box();
        const Vector3 p = pod->body()->position();
        for (Entity* other : pods_) {
            if (other == pod || !a.overlaps(other->box())) {
                continue;
            }
            Body& b = *pod->body();
            const Vector3 v = b.velocity();
            b.setVelocity(v + (p - other->body()->position()) * (length(v) / 5000.0 + 1.0));
        }
    }
}

void CollisionSet::strikePodsWithMissiles() {
    for (Missile* missile : missiles_) {
        const Box m = missile->box();
        const Entity* owner = missile->owner();
        const Vector3 p = missile->body()->position();
        for (Entity* pod : pods_) {
            if (pod == owner || !m.overlaps(pod->box())) {
                continue;
            }
            Body& b = *pod->body();
            const double missileSpeed = length(missile->body()->velocity());
            b.setVelocity(b.velocity() + (b.position() - p) * (missileSpeed / 1000.0 + 1.0));
            if (record_) record_->add(FrameEvent{FrameEvent::Kind::Strike, missile, pod, 0, 0.0, p});
            // Out of play far below; it stays undocked until its owner reloads.
            missile->body()->moveUp(-OUT_OF_PLAY_DROP);
            break;
        }
    }
}

void CollisionSet::handOutBonuses() {
    for (Bonus* bonus : bonuses_) {
        const Box b = bonus->box();
        for (int k = 0; k < podCount(); ++k) {
            Entity* pod = pods_[k];
            if (!b.overlaps(pod->box())) {
                continue;
            }
            // A reload goes to the missile paired with the pod; a pod whose missile is
            // ready just uses the bonus up.
            if (bonus->kind() == KIND_RELOAD_BONUS && pod->missileReady() == 0 && k < missileCount()) {
                pod->missileReady() = 1;
                missiles_[k]->docked() = 1;
            }
            if (bonus->kind() == KIND_MONEY_BONUS) {
                pod->money() += 1;
            }
            if (bonus->kind() == KIND_BOOST_BONUS) {
                pod->boost() += 2000;
            }
            if (record_)
                record_->add(FrameEvent{FrameEvent::Kind::Pickup, pod, bonus, bonus->kind(), 0.0, bonus->body()->position()});
            bonus->active() = -1;
            bonus->body()->moveUp(-OUT_OF_PLAY_DROP);
            bonus->markPickedUp();
            break;
        }
    }
}

void CollisionSet::resolveTerrainContacts(const Terrain& terrain) {
    for (Entity* pod : pods_) {
        // Every corner is measured against the box the update left, even after a lift.
        const Box box = pod->box();
        Body& b = *pod->body();
        Vector3 aside(0, 0, 0);
        bool touched = false;
        for (int j = 0; j < 8; ++j) {
            const Vector3 q = box.corner(j);
            Vector3 normal;
            const Vector3 ground = terrain.groundAt(q, normal);
            const double depth = q.y - ground.y;
            if (depth < 0) {
                // One contact per pod and frame, at the speed it came in with.
                if (record_ && !touched)
                    record_->add(FrameEvent{FrameEvent::Kind::GroundContact, pod, nullptr, 0,
                                            -dot(b.velocity(), normal), b.position()});
                touched = true;
                b.setVelocity(normal * (0.5 * length(b.velocity())));
                aside += liftOut(terrain, b, q + aside, -depth);
            }
        }
        bringBackOntoGrid(terrain, b);
    }
}

// Beyond the grid lies an undrawn void with no way back; the border's cliffs slow a pod
// pressed into them but cannot hold it for ever. A pod past an edge is put back on it and
// sent inward at half its speed, as the ground sends it back along its normal.
void CollisionSet::bringBackOntoGrid(const Terrain& terrain, Body& b) {
    if (terrain.rows() < 2 || terrain.columns() < 2) return;
    const Vector3 low = terrain.vertex(0, 0), high = terrain.vertex(terrain.rows() - 1, terrain.columns() - 1);
    const Vector3 p = b.position();
    const Vector3 back(std::clamp(p.x, low.x, high.x) - p.x, 0, std::clamp(p.z, low.z, high.z) - p.z);
    if (back.x == 0 && back.z == 0) return;
    const Vector3 inward(back.x > 0 ? 1 : back.x < 0 ? -1 : 0, 0, back.z > 0 ? 1 : back.z < 0 ? -1 : 0);
    b.setVelocity(inward / length(inward) * (0.5 * length(b.velocity())));
    b.shift(back);
}

#pragma once

#include "geometry/Box.h"
#include "geometry/Vector3.h"
#include "motion/Body.h"

#include <cstdint>
#include <memory>

class FrameRecord;
class Model;
class Terrain;
struct FrameEvent;

// What an entity is, as a plain code: the ranges matter more than the single values
// (pods below 2, missiles 2 and 3, bonuses above 3).
constexpr int KIND_PLAYER_POD = 0;
constexpr int KIND_AI_POD = 1;
constexpr int KIND_PLAYER_MISSILE = 2;
constexpr int KIND_AI_MISSILE = 3;
constexpr int KIND_RELOAD_BONUS = 4;
constexpr int KIND_MONEY_BONUS = 5;
constexpr int KIND_BOOST_BONUS = 6;

inline bool isPodKind(int kind) { return kind < 2; }
inline bool isMissileKind(int kind) { return kind == 2 || kind == 3; }

// A race object leaves play by moving this far down along its up vector and comes back by
// moving up as far: nothing leaves the race's lists while it runs.
constexpr double OUT_OF_PLAY_DROP = 10000.0;

// Base of every race object: a body it owns (where it is, how it moves), a model it shares
// (what it looks like) and the few counters the race rules need. update() only feeds inputs
// to the body and refreshes the contact box; the race world steps the body afterwards.
class Entity {
public:
    // A body at the origin facing +x; half extents from the model's box, signed as loaded
    // (a null model gives a zero-size box).
    Entity(Model* model, int kind);
    Entity(const Entity&) = delete;
    Entity& operator=(const Entity&) = delete;
    virtual ~Entity();

    virtual void update() = 0;

    // Draws the model inside the body's transform; tests nothing, the race decides what shows.
    void draw() const;

    Body* body() const { return body_.get(); }
    Model* model() const { return model_; }
    Box box() const { return box_; }
    double progress() const { return progress_; }
    int laps() const { return laps_; }
    int nextCheckpoint() const { return nextCheckpoint_; }
    int kind() const { return kind_; }
    std::uint32_t startTime() const { return startTime_; }
    void setStartTime(std::uint32_t ms) { startTime_ = ms; }
    // Half the model's size per axis; z is negative for a model box loaded from min to max.
    Vector3 halfExtents() const { return halfExtents_; }
    // Ranking score: laps and next checkpoint as a 64-bit integer, plus the squared distance
    // from the checkpoint last passed. Set-up also runs it, so the start is ranked.
    void refreshProgress();

    // Modifiable: the collision set changes them at pick-ups, a fired missile clears its
    // owner's missileReady, a bonus and the player's boost keep their own; the head-up display
    // only reads them.
    int& active() { return active_; }            // 1 in play, -1 taken out
    int& missileReady() { return missileReady_; }  // pods: 1 while the missile rides on it
    int& money() { return money_; }
    int& boost() { return boost_; }                // pods: boost time left, ms (may dip below 0)
    int missileReady() const { return missileReady_; }
    int money() const { return money_; }
    int boost() const { return boost_; }

    // The current terrain when it has a circuit to race on (two checkpoints or more), else
    // null: with fewer, pods have nowhere to go and nothing reads a checkpoint.
    static const Terrain* circuit();
    // Checkpoints of the circuit that can be read (the terrain keeps a fixed number of slots).
    static int circuitLength(const Terrain& terrain);

    // Where the entity notes what it decides each frame (launches, checkpoints, its drive);
    // none outside a race.
    void setRecord(FrameRecord* record) { record_ = record; }

protected:
    FrameRecord* record() const { return record_; }
    void note(const FrameEvent& event) const;
    // The old body is deleted first.
    void replaceBody(std::unique_ptr<Body> body);
    // The contact box around the body's position from the signed half extents.
    void refreshBox();
    void setBox(const Box& box) { box_ = box; }

    std::int32_t nextCheckpoint_ = 0;
    std::int32_t laps_ = 0;
    double progress_ = 0.0;

private:
    Model* model_ = nullptr;
    std::unique_ptr<Body> body_;
    std::uint32_t startTime_ = 0;
    std::int32_t kind_ = 0;
    std::int32_t active_ = 1;
    std::int32_t missileReady_ = 1;
    std::int32_t money_ = 10;
    std::int32_t boost_ = 0;
    Vector3 halfExtents_{0, 0, 0};
    Box box_{Vector3(0, 0, 0), Vector3(0, 0, 0)};
    FrameRecord* record_ = nullptr;
};

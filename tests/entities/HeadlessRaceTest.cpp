#include "entities/AIPod.h"
#include "entities/Bonus.h"
#include "entities/CollisionSet.h"
#include "entities/FrameRecord.h"
#include "entities/Missile.h"
#include "entities/PlayerPod.h"

#include "EntitySupport.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace {

// A race without a window: the player, ten AI pods, nine missiles and the bonuses of a small
// generated circuit, run frame by frame in the race's order on a 16 ms test clock.
class HeadlessRace : public EntityTestBase {
protected:
    static constexpr int SIZE = 128;
    static constexpr int CHECKPOINTS = 8;
    static constexpr int RADIUS = 50;
    static constexpr double PI = 3.14159265358979323846;

    // Rolling hills, checkpoints on a ring of radius 25 cells, and a bonus halfway between
    // each two, types taking turns.
    static Image circuit() {
        std::vector<Marker> checkpoints, bonuses;
        auto ring = [](double turn, double radius, int& col, int& row) {
            col = SIZE / 2 + static_cast<int>(std::lround(radius * std::cos(turn * 2 * PI)));
            row = SIZE / 2 + static_cast<int>(std::lround(radius * std::sin(turn * 2 * PI)));
        };
        for (int i = 0; i < CHECKPOINTS; ++i) {
            int col, row;
            ring(static_cast<double>(i) / CHECKPOINTS, RADIUS, col, row);
            checkpoints.push_back(checkpointAt(col, row, i));
            // The pods swing wide of the checkpoints; the bonuses stand on that line.
            ring((i + 0.5) / CHECKPOINTS, RADIUS * 1.12, col, row);
            bonuses.push_back(Marker{col, row, 255 - i % 3});
        }
        Image image = heightmap(SIZE, SIZE, 0, checkpoints, bonuses);
        for (int row = 0; row < SIZE; ++row) {
            for (int col = 0; col < SIZE; ++col) {
                std::uint8_t r, g, b, a;
                unpackColour(image.getPixel(col, row), &r, &g, &b, &a);
                b = static_cast<std::uint8_t>(60 + 40 * std::sin(col / 7.0) * std::cos(row / 9.0));
                image.setPixel(col, row, packColour(r, g, b, a));
            }
        }
        return image;
    }

    void build() {
        terrain = &useTerrain(circuit(), 10000.0, 1200.0);
        ASSERT_EQ(terrain->checkpointCount(), CHECKPOINTS);
        auto player = std::make_unique<PlayerPod>(&podModel);
        player->body()->setParameters(PLAYER_POD_TUNING);
        add(std::move(player));
        for (int i = 0; i < 10; ++i) {
            auto ai = std::make_unique<AIPod>(&podModel);
            ai->body()->moveRight(i * 600 - 2500);
            ai->body()->setParameters(AI_POD_TUNING);
            add(std::move(ai));
        }
        add(std::make_unique<Missile>(&missileModel, entities[0].get(), KIND_PLAYER_MISSILE));
        for (int j = 1; j <= 8; ++j)
            add(std::make_unique<Missile>(&missileModel, entities[j].get(), KIND_AI_MISSILE));
        for (int i = 0; i < terrain->bonusMarkerCount(); ++i) {
            const int type = terrain->bonusMarkerValue(i);
            auto bonus = std::make_unique<Bonus>(&bonusModels[255 - type], 259 - type, i);
            bonus->body()->setParameters(BONUS_TUNING);
            add(std::move(bonus));
        }
        std::vector<Entity*> list;
        for (auto& e : entities) list.push_back(e.get());
        collisions = std::make_unique<CollisionSet>(list);
    }

    void add(std::unique_ptr<Entity> e) {
        if (isPodKind(e->kind())) {
            e->setStartTime(clockMs());
            pods.push_back(e.get());
        }
        entities.push_back(std::move(e));
    }

    // What the draw pass leaves for the rest of the frame: the ranking and missile targets.
    void rankAndAim() {
        std::sort(pods.begin(), pods.end(), [](Entity* a, Entity* b) { return a->progress() > b->progress(); });
        const int n = static_cast<int>(pods.size());
        for (auto& e : entities) {
            auto* missile = dynamic_cast<Missile*>(e.get());
            if (missile == nullptr) continue;
            const int j = static_cast<int>(std::find(pods.begin(), pods.end(), missile->owner()) - pods.begin());
            missile->setTarget(pods[(j + n - 1) % n]);
        }
    }

    // The player holds thrust, turns left in bursts, fires now and then and boosts.
    void drive(int frame) {
        clearKeys();
        onKeyPress('w', 0, 0);
        if (frame % 300 < 40) onKeyPress('\r', 0, 0);  // Enter: the left arrow's slot
        if (frame % 500 == 250) onKeyPress(' ', 0, 0);
        if (frame % 700 < 100) onKeyPress('c', 0, 0);
    }

    void frame(FrameRecord* record = nullptr) {
        if (record) record->begin(clockMs());
        rankAndAim();
        for (auto& e : entities) e->update();
        collisions->resolveEntityContacts();
        collisions->resolveTerrainContacts(*terrain);
        for (auto& e : entities) e->body()->step();
    }

    void noteInto(FrameRecord* record) {
        for (auto& e : entities) e->setRecord(record);
        collisions->setRecord(record);
    }

    static bool finite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

    BoxModel podModel = BoxModel::fromFileBox(Vector3(-250, -150, -60), Vector3(250, 150, 60));
    BoxModel missileModel = BoxModel::fromFileBox(Vector3(-80, -20, -20), Vector3(80, 20, 20));
    // Large pick-ups, so that pods flying the circuit do take them.
    BoxModel bonusModels[3] = {BoxModel::fromFileBox(Vector3(-2000, -2000, -2000), Vector3(2000, 2000, 2000)),
                               BoxModel::fromFileBox(Vector3(-2000, -2000, -2000), Vector3(2000, 2000, 2000)),
                               BoxModel::fromFileBox(Vector3(-2000, -2000, -2000), Vector3(2000, 2000, 2000))};
    Terrain* terrain = nullptr;
    std::vector<std::unique_ptr<Entity>> entities;
    std::vector<Entity*> pods;
    std::unique_ptr<CollisionSet> collisions;
};

TEST_F(HeadlessRace, SeveralMinutesStayFiniteAndEveryAIPodLaps) {
    build();
    ASSERT_EQ(entities.size(), 20u + static_cast<std::size_t>(terrain->bonusMarkerCount()));
    const int frames = 4 * 60 * 1000 / 16;  // four simulated minutes
    std::uint32_t now = T0;
    int shots = 0, pickUps = 0, reloads = 0;
    std::vector<int> wasReady(11, 1), wasAway(entities.size(), 0);
    for (int f = 0; f < frames; ++f) {
        now += 16;
        setTestClock(now);
        drive(f);
        frame();
        for (auto& e : entities) {
            ASSERT_TRUE(finite(e->body()->position())) << "entity " << (&e - &entities[0]) << " frame " << f;
            ASSERT_TRUE(finite(e->body()->velocity())) << "entity " << (&e - &entities[0]) << " frame " << f;
        }
        for (int i = 0; i <= 10; ++i) {
            const int ready = entities[i]->missileReady();
            shots += wasReady[i] == 1 && ready == 0;
            reloads += wasReady[i] == 0 && ready == 1;
            wasReady[i] = ready;
        }
        for (std::size_t b = 20; b < entities.size(); ++b) {
            const int away = entities[b]->active() == -1;
            pickUps += away && !wasAway[b];
            wasAway[b] = away;
        }
    }
    for (int i = 1; i <= 10; ++i) {
        EXPECT_GE(entities[i]->laps(), 2) << "AI pod " << i;
        EXPECT_TRUE(std::isfinite(entities[i]->progress()));
    }
    // The race went through everything: missiles fired, bonuses taken, missiles reloaded.
    EXPECT_GT(shots, 0);
    EXPECT_GT(pickUps, 0);
    EXPECT_GT(reloads, 0);
}

TEST_F(HeadlessRace, RecordingTheFactsChangesNothingAndMissesNone) {
    // The same minute twice from the same start, with a record and without: every entity in
    // the same place after every frame.
    const int frames = 60 * 1000 / 16;
    std::vector<Vector3> unrecorded;
    FrameRecord record;
    std::map<FrameEvent::Kind, int> facts;
    int shots = 0, pickUps = 0;
    for (const bool recording : {false, true}) {
        std::srand(7);
        setTestClock(T0);
        entities.clear();
        pods.clear();
        build();
        if (recording) noteInto(&record);
        std::uint32_t now = T0;
        std::vector<int> wasReady(11, 1), wasAway(entities.size(), 0);
        for (int f = 0; f < frames; ++f) {
            setTestClock(now += 16);
            drive(f);
            frame(recording ? &record : nullptr);
            for (std::size_t i = 0; i < entities.size(); ++i) {
                const Vector3 p = entities[i]->body()->position();
                if (!recording) {
                    unrecorded.push_back(p);
                    continue;
                }
                ASSERT_EQ(p, unrecorded[static_cast<std::size_t>(f) * entities.size() + i]) << "entity " << i << " frame " << f;
                if (i <= 10) {
                    shots += wasReady[i] == 1 && entities[i]->missileReady() == 0;
                    wasReady[i] = entities[i]->missileReady();
                }
                if (entities[i]->kind() >= KIND_RELOAD_BONUS) {  // the bonuses, kinds 4 to 6
                    const int away = entities[i]->active() == -1;
                    pickUps += away && !wasAway[i];
                    wasAway[i] = away;
                }
            }
            if (!recording) continue;
            for (const FrameEvent& event : record.events()) ++facts[event.kind];
            ASSERT_EQ(record.drives().size(), 11u);
        }
    }
    // Every launch, pick-up and checkpoint the counters show is in the record, once.
    EXPECT_EQ(facts[FrameEvent::Kind::Launch], shots);
    EXPECT_EQ(facts[FrameEvent::Kind::Pickup], pickUps);
    int passed = 0;
    for (int i = 0; i <= 10; ++i) passed += entities[i]->laps() * CHECKPOINTS + entities[i]->nextCheckpoint() - 1;
    EXPECT_EQ(facts[FrameEvent::Kind::Checkpoint] + facts[FrameEvent::Kind::Lap], passed);
    EXPECT_GT(shots, 0);
    std::printf("a minute's facts: %d launches, %d strikes, %d pick-ups, %d checkpoints, %d laps, %d ground contacts\n",
                facts[FrameEvent::Kind::Launch], facts[FrameEvent::Kind::Strike], pickUps,
                facts[FrameEvent::Kind::Checkpoint], facts[FrameEvent::Kind::Lap], facts[FrameEvent::Kind::GroundContact]);
}

}  // namespace

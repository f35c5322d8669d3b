#include "entities/AIPod.h"
#include "entities/Bonus.h"
#include "entities/CollisionSet.h"
#include "entities/FrameRecord.h"
#include "entities/Missile.h"
#include "entities/PlayerPod.h"

#include "EntitySupport.h"

#include "app/services/KeyTable.h"

#include <GL/glut.h>

#include <cmath>

namespace {

class Collisions : public EntityTestBase {
protected:
    // A pod of the test at a place, heading +x, box refreshed.
    void put(Probe<AIPod>& pod, const Vector3& at, const Vector3& velocity = Vector3(0, 0, 0)) {
        pod.place(at, at + Vector3(1, 0, 0), AI_POD_TUNING);
        pod.body()->setVelocity(velocity);
        pod.update();
    }
    BoxModel model = podModel();  // half extents 100, 50, 100
    Probe<AIPod> a{&model}, b{&model};
};

TEST_F(Collisions, SortsEntitiesIntoThreeGroupsInListOrder) {
    PlayerPod player(&model);
    Missile missile(&model, &player, KIND_PLAYER_MISSILE);
    Bonus bonus(&model, KIND_BOOST_BONUS, 0);
    Entity* list[] = {&bonus, &b, &missile, &player, &a};
    CollisionSet set(list, 5);
    ASSERT_EQ(set.podCount(), 3);
    EXPECT_EQ(set.pod(0), &b);
    EXPECT_EQ(set.pod(1), &player);
    EXPECT_EQ(set.pod(2), &a);
    ASSERT_EQ(set.missileCount(), 1);
    EXPECT_EQ(set.missile(0), &missile);
    ASSERT_EQ(set.bonusCount(), 1);
    EXPECT_EQ(set.bonus(0), &bonus);
}

TEST_F(Collisions, PodsThatOnlyTouchDoNotPush) {
    put(a, Vector3(0, 0, 0));
    put(b, Vector3(200, 0, 0));  // faces meet at x = 100
    CollisionSet set(std::vector<Entity*>{&a, &b});
    set.resolveEntityContacts();
    EXPECT_EQ(a.body()->velocity(), Vector3(0, 0, 0));
    EXPECT_EQ(b.body()->velocity(), Vector3(0, 0, 0));
}

TEST_F(Collisions, OverlappingPodsAtRestPushEachOtherApartByTheirDistance) {
    put(a, Vector3(0, 0, 0));
    put(b, Vector3(120, 10, -30));
    CollisionSet set(std::vector<Entity*>{&a, &b});
    set.resolveEntityContacts();
    EXPECT_EQ(a.body()->velocity(), Vector3(-120, -10, 30));
    EXPECT_EQ(b.body()->velocity(), Vector3(120, 10, -30));
}

TEST_F(Collisions, PushGrowsWithThePushedPodsOwnSpeed) {
    put(a, Vector3(0, 0, 0), Vector3(3000, 0, 4000));  // speed 5000: factor 2
    put(b, Vector3(100, 0, 0), Vector3(0, 0, 0));
    CollisionSet set(std::vector<Entity*>{&a, &b});
    set.resolveEntityContacts();
    EXPECT_EQ(a.body()->velocity(), Vector3(3000 - 200, 0, 4000));
    EXPECT_EQ(b.body()->velocity(), Vector3(100, 0, 0));
}

TEST_F(Collisions, PodsAtTheVerySamePlaceGetNoPush) {
    put(a, Vector3(5, 5, 5), Vector3(10, 0, 0));
    put(b, Vector3(5, 5, 5));
    CollisionSet set(std::vector<Entity*>{&a, &b});
    set.resolveEntityContacts();
    EXPECT_EQ(a.body()->velocity(), Vector3(10, 0, 0));
    EXPECT_EQ(b.body()->velocity(), Vector3(0, 0, 0));
}

class GroundContacts : public Collisions {
protected:
    void SetUp() override {
        Collisions::SetUp();
        // Flat ground at height 0, exact wherever it is interpolated.
        ground = &useTerrain(heightmap(5, 5, 0, {}), 10000.0, 1200.0);
    }
    CollisionSet set{std::vector<Entity*>{&a}};
    Terrain* ground = nullptr;
};

TEST_F(GroundContacts, EveryCornerUnderTheGroundLiftsAndHalvesTheSpeedInOneRecordedContact) {
    // Lowest corners 30 under the ground: the four of them act in turn.
    put(a, Vector3(0, 50 - 30, 0), Vector3(800, -600, 0));
    FrameRecord record;
    set.setRecord(&record);
    set.resolveTerrainContacts(*ground);
    ASSERT_EQ(record.events().size(), 1u);
    EXPECT_EQ(record.events()[0].kind, FrameEvent::Kind::GroundContact);
    EXPECT_EQ(record.events()[0].speed, 600.0);  // into the ground, before the first lift
    EXPECT_NEAR(a.body()->position().y, 20 + 4 * 30, 1e-9);
    // Speed 1000, halved four times, along the ground normal.
    const Vector3 v = a.body()->velocity();
    EXPECT_NEAR(v.x, 0.0, 1e-9);
    EXPECT_NEAR(v.y, 1000.0 / 16, 1e-9);
    EXPECT_NEAR(v.z, 0.0, 1e-9);
}

TEST_F(GroundContacts, CornersAtOrAboveTheGroundChangeNothing) {
    for (double lowest : {0.0, 40.0}) {
        put(a, Vector3(100, 50 + lowest, -300), Vector3(800, -600, 0));
        set.resolveTerrainContacts(*ground);
        EXPECT_EQ(a.body()->position(), Vector3(100, 50 + lowest, -300));
        EXPECT_EQ(a.body()->velocity(), Vector3(800, -600, 0));
    }
}

TEST_F(GroundContacts, APodPastTheGridsCornerIsPutBackOnItAndTurnedInwardAtHalfSpeed) {
    const Vector3 high = ground->vertex(ground->rows() - 1, ground->columns() - 1);
    put(a, Vector3(high.x + 500, 200, high.z + 300), Vector3(800, 0, 600));
    set.resolveTerrainContacts(*ground);
    EXPECT_EQ(a.body()->position(), Vector3(high.x, 200, high.z));
    const Vector3 v = a.body()->velocity();
    EXPECT_NEAR(v.x, -500 / std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(v.y, 0.0, 1e-9);
    EXPECT_NEAR(v.z, -500 / std::sqrt(2.0), 1e-9);
}

// A face far above the ceiling does not hold the pod that flew into it: with an arrow and thrust
// held, it turns away and is clear of the face within 3 s.
TEST_F(GroundContacts, APodPressedIntoAFaceTurnsAwayAndLeavesItWithinThreeSeconds) {
    // Flat at 0 up to x = -1200, then a wall rising to 10000 at x = 0.
    Image image = heightmap(8, 8, 0, {});
    for (int row = 0; row < 8; ++row)
        for (int col = 4; col < 8; ++col) image.setPixel(col, row, packColour(0, 0, 255, 0));
    const Terrain wall(Vector3(0, 0, 0), image, 10000.0, 1200.0);
    Probe<PlayerPod> pod{&model};
    pod.place(Vector3(-4000, 3000, 0), Vector3(-3999, 3000, 0));
    CollisionSet contacts(std::vector<Entity*>{&pod});
    std::uint32_t now = T0;
    auto frames = [&](std::uint32_t ms, auto&& until) {
        for (std::uint32_t t = 0; t < ms; t += 16) {
            setTestClock(now += 16);
            pod.update();
            contacts.resolveTerrainContacts(wall);
            pod.body()->step();
            endKeyFrame();
            if (until()) return t + 16;
        }
        return ms + 1;
    };
    onKeyPress('w', 0, 0);
    frames(5000, [] { return false; });  // pressed into the face, high up it
    ASSERT_GT(pod.body()->position().x, -1200.0);
    onSpecialPress(GLUT_KEY_LEFT, 0, 0);
    EXPECT_LE(frames(3000, [&] { return pod.body()->position().x < -2200.0; }), 3000u);
}

}  // namespace

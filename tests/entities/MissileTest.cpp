#include "entities/AIPod.h"
#include "entities/CollisionSet.h"
#include "entities/FrameRecord.h"
#include "entities/Missile.h"
#include "entities/PlayerPod.h"

#include "EntitySupport.h"

#include <cmath>

namespace {

class Missiles : public EntityTestBase {
protected:
    void SetUp() override {
        EntityTestBase::SetUp();
        player.place(Vector3(0, 3000, 0), Vector3(0, 3000, 0) + Vector3(1, 0, 0));
        player.body()->setVelocity(Vector3(2000, 0, 0));
        shooter.place(Vector3(0, 3000, 0), Vector3(0, 3000, 0) + Vector3(1, 0, 0), AI_POD_TUNING);
    }
    // Puts the target pod at offset from the shooter.
    void targetAt(const Vector3& offset) {
        target.place(shooter.body()->position() + offset, shooter.body()->position() + offset + Vector3(1, 0, 0));
    }

    BoxModel model = podModel();
    BoxModel missileModel = BoxModel::fromFileBox(Vector3(-10, -10, -10), Vector3(10, 10, 10));
    Probe<PlayerPod> player{&model};
    Probe<AIPod> shooter{&model};
    Probe<AIPod> target{&model};
};

TEST_F(Missiles, StartDockedOnACopyOfTheOwnersTunedBody) {
    Missile m(&missileModel, &player, KIND_PLAYER_MISSILE);
    EXPECT_EQ(m.docked(), 1);
    EXPECT_EQ(m.owner(), &player);
    EXPECT_EQ(m.body()->position(), player.body()->position());
    // Held space bar on the very first frame: the missile leaves with a working body.
    onKeyPress(' ', 0, 0);
    m.update();
    EXPECT_EQ(m.docked(), 0);
    EXPECT_EQ(player.missileReady(), 0);
    EXPECT_NEAR(m.body()->thrustForce().x, 3.0 * PLAYER_POD_TUNING.enginePower, 1e-3);
}

TEST_F(Missiles, DockedMissileRidesOnItsOwnerWithAZeroBox) {
    Missile m(&missileModel, &player, KIND_PLAYER_MISSILE);
    player.body()->moveForward(500);
    m.update();
    EXPECT_EQ(m.body()->position(), player.body()->position());
    EXPECT_EQ(m.body()->velocity(), Vector3(2000, 0, 0));
    EXPECT_EQ(m.box().corner0, Vector3(0, 0, 0));
    EXPECT_EQ(m.box().corner1, Vector3(0, 0, 0));
    EXPECT_EQ(m.body()->thrustForce(), Vector3(0, 0, 0));
    EXPECT_NE(m.body(), player.body());
}

TEST_F(Missiles, LaunchInTheOwnersHeadingAtItsSpeedAndFlyOnAlone) {
    Missile m(&missileModel, &player, KIND_PLAYER_MISSILE);
    player.body()->yaw(0.5);
    m.update();  // rides: picks up the turned heading
    onKeyPress(' ', 0, 0);
    m.update();
    EXPECT_EQ(m.docked(), 0);
    EXPECT_EQ(m.body()->velocity(), Vector3(2000, 0, 0));
    const Vector3 heading = player.body()->frame().forward();
    EXPECT_NEAR(length(m.body()->thrustForce() - heading * (3.0 * PLAYER_POD_TUNING.enginePower)), 0.0, 1e-3);
    EXPECT_EQ(m.box().corner0, m.body()->position() - Vector3(10, 10, 10));

    // The owner moves on; the flying missile keeps its own body, and more space bar does nothing.
    player.body()->moveForward(5000);
    m.update();
    EXPECT_NE(m.body()->position(), player.body()->position());
    EXPECT_EQ(m.docked(), 0);
}

TEST_F(Missiles, AIFiresOnlyWhenAimedWithinTheAngleAndRange) {
    Missile m(&missileModel, &shooter, KIND_AI_MISSILE);
    m.setTarget(&target);
    // Off by 0.0601 radians at 5000 units: no.
    targetAt(Vector3(5000 * std::cos(0.0601), 0, 5000 * std::sin(0.0601)));
    m.update();
    EXPECT_EQ(m.docked(), 1);
    EXPECT_EQ(shooter.missileReady(), 1);
    // At exactly 5e7 squared (7000, 1000, 0), aimed nearly at it: no.
    shooter.place(Vector3(0, 3000, 0), Vector3(0, 3000, 0) + Vector3(7, 1.01, 0), AI_POD_TUNING);
    targetAt(Vector3(7000, 1000, 0));
    m.update();
    EXPECT_EQ(m.docked(), 1);
    // A unit closer: fires.
    targetAt(Vector3(6999, 1000, 0));
    m.update();
    EXPECT_EQ(m.docked(), 0);
    EXPECT_EQ(shooter.missileReady(), 0);

    Missile other(&missileModel, &shooter, KIND_AI_MISSILE);
    other.setTarget(&target);
    shooter.place(Vector3(0, 3000, 0), Vector3(0, 3000, 0) + Vector3(1, 0, 0), AI_POD_TUNING);
    targetAt(Vector3(5000 * std::cos(0.0599), 0, 5000 * std::sin(0.0599)));
    other.update();
    EXPECT_EQ(other.docked(), 0);
}

TEST_F(Missiles, AIMissileIgnoresTheSpaceBarAndAMissingTarget) {
    Missile m(&missileModel, &shooter, KIND_AI_MISSILE);
    onKeyPress(' ', 0, 0);
    m.update();
    EXPECT_EQ(m.docked(), 1);
    m.setTarget(&shooter);  // on the owner itself: no direction, no shot
    m.update();
    EXPECT_EQ(m.docked(), 1);
}

TEST_F(Missiles, NeverHitsItsOwner) {
    Missile m(&missileModel, &player, KIND_PLAYER_MISSILE);
    onKeyPress(' ', 0, 0);
    m.update();
    player.update();
    ASSERT_TRUE(m.box().overlaps(player.box()));
    Entity* list[] = {&player, &m};
    CollisionSet set(list, 2);
    set.resolveEntityContacts();
    EXPECT_EQ(player.body()->velocity(), Vector3(2000, 0, 0));
    EXPECT_EQ(m.body()->position(), player.body()->position());
}

TEST_F(Missiles, StrikesTheFirstOfTwoPodsAndDropsOutOfPlayAndTheRecordSaysSo) {
    // A long missile reaching into two pods that do not touch each other.
    BoxModel lance = BoxModel::fromFileBox(Vector3(-200, -10, -10), Vector3(200, 10, 10));
    Missile m(&lance, &player, KIND_PLAYER_MISSILE);
    FrameRecord record;
    m.setRecord(&record);
    onKeyPress(' ', 0, 0);
    m.update();
    ASSERT_EQ(record.events().size(), 1u);
    EXPECT_EQ(record.events()[0].kind, FrameEvent::Kind::Launch);
    record.begin(clockMs());
    m.body()->moveForward(5000);
    m.update();
    const Vector3 at = m.body()->position();
    Probe<AIPod> first(&model), second(&model);
    first.place(at + Vector3(150, 0, 0), at + Vector3(151, 0, 0), AI_POD_TUNING);
    second.place(at - Vector3(150, 0, 0), at - Vector3(149, 0, 0), AI_POD_TUNING);
    first.update();
    second.update();
    player.update();

    Entity* list[] = {&player, &first, &second, &m};
    CollisionSet set(list, 4);
    set.setRecord(&record);
    set.resolveEntityContacts();
    ASSERT_EQ(record.events().size(), 1u);  // flying on launches nothing more
    EXPECT_EQ(record.events()[0].kind, FrameEvent::Kind::Strike);
    EXPECT_EQ(record.events()[0].other, &first);
    EXPECT_EQ(record.events()[0].position, at);
    // Pushed away from the missile, harder the faster the missile (2000: factor 3).
    EXPECT_EQ(first.body()->velocity(), Vector3(450, 0, 0));
    EXPECT_EQ(second.body()->velocity(), Vector3(0, 0, 0));
    EXPECT_EQ(m.body()->position(), at - Vector3(0, 10000, 0));
    EXPECT_EQ(m.docked(), 0);
    EXPECT_EQ(player.body()->velocity(), Vector3(2000, 0, 0));
}

TEST_F(Missiles, AReloadedMissileFiredAtOnceLeavesFromWhereItWasSpent) {
    Missile m(&missileModel, &player, KIND_PLAYER_MISSILE);
    onKeyPress(' ', 0, 0);
    m.update();
    m.body()->moveUp(-10000);  // spent far below
    const Vector3 spent = m.body()->position();
    // What a reload bonus does, then the next frame with the space bar still held.
    m.docked() = 1;
    player.missileReady() = 1;
    m.update();
    EXPECT_EQ(m.docked(), 0);
    EXPECT_EQ(player.missileReady(), 0);
    EXPECT_EQ(m.body()->position(), spent);

    // Without the space bar the reloaded missile rides on its pod again.
    clearKeys();
    m.docked() = 1;
    player.missileReady() = 1;
    m.update();
    EXPECT_EQ(m.body()->position(), player.body()->position());
}

}  // namespace

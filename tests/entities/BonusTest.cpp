#include "entities/AIPod.h"
#include "entities/Bonus.h"
#include "entities/CollisionSet.h"
#include "entities/Missile.h"
#include "entities/PlayerPod.h"

#include "EntitySupport.h"

namespace {

class Bonuses : public EntityTestBase {
protected:
    void SetUp() override {
        EntityTestBase::SetUp();
        // Two checkpoints, and markers of each type: reload, money, boost, and a second money.
        useTerrain(heightmap(5, 5, 0, {checkpointAt(0, 0, 0), checkpointAt(4, 4, 1)},
                             {{1, 2, 255}, {2, 2, 254}, {3, 2, 253}, {3, 3, 254}}));
    }
    // A pod of the test placed on a bonus, tuned, with its box refreshed.
    void putOn(Probe<AIPod>& pod, const Bonus& bonus, const Vector3& shift = Vector3(0, 0, 0)) {
        const Vector3 at = bonus.body()->position() + shift;
        pod.place(at, at + Vector3(1, 0, 0), AI_POD_TUNING);
        pod.update();
    }

    BoxModel model = podModel();
    BoxModel bonusModel = BoxModel::fromFileBox(Vector3(-50, -50, -50), Vector3(50, 50, 50));
};

TEST_F(Bonuses, StandAtTheirMarkerFacingTheOrigin) {
    Bonus reload(&bonusModel, KIND_RELOAD_BONUS, 0);
    EXPECT_EQ(reload.body()->position(), terrain_->bonusMarkerPosition(0));
    EXPECT_EQ(reload.body()->lookPoint(), Vector3(0, 0, 0));
    EXPECT_EQ(reload.active(), 1);
    EXPECT_EQ(reload.kind(), KIND_RELOAD_BONUS);

    // The marker straight above the origin faces +x instead of straight down.
    Bonus centre(&bonusModel, KIND_MONEY_BONUS, 1);
    EXPECT_EQ(centre.body()->lookPoint(), centre.body()->position() + Vector3(1, 0, 0));
    // No such marker: the default body.
    Bonus stray(&bonusModel, KIND_MONEY_BONUS, 9);
    EXPECT_EQ(stray.body()->position(), Vector3(0, 0, 0));
}

TEST_F(Bonuses, SpinEvenWhileAway) {
    Bonus b(&bonusModel, KIND_MONEY_BONUS, 0);
    b.active() = -1;
    b.markPickedUp();
    setTestClock(T0 + 20);
    b.update();
    EXPECT_NEAR(b.body()->yawRate(), 0.3 * 0.02 * 0.08, 1e-12);
}

TEST_F(Bonuses, ComeBackOnlyAfterMoreThanTenSeconds) {
    for (std::uint32_t takenAt : {T0, 0xFFFFF000u}) {  // the second one wraps past 2^32
        Bonus b(&bonusModel, KIND_MONEY_BONUS, 0);
        const Vector3 place = b.body()->position();
        setTestClock(takenAt);
        b.active() = -1;
        b.body()->moveUp(-10000);
        b.markPickedUp();
        setTestClock(takenAt + 10000);
        b.update();
        EXPECT_EQ(b.active(), -1);
        EXPECT_EQ(b.body()->position(), place - Vector3(0, 10000, 0));
        setTestClock(takenAt + 10001);
        b.update();
        EXPECT_EQ(b.active(), 1);
        EXPECT_EQ(b.body()->position(), place);
        EXPECT_EQ(b.box().corner0, place - Vector3(50, 50, 50));
    }
}

TEST_F(Bonuses, FirstPodInPodOrderTakesItAndGoesAway) {
    Bonus money(&bonusModel, KIND_MONEY_BONUS, 1);
    money.update();
    Probe<AIPod> a(&model), b(&model);
    putOn(a, money, Vector3(-1, 0, 0));
    putOn(b, money, Vector3(1, 0, 0));
    setTestClock(T0 + 500);
    Entity* list[] = {&money, &b, &a};  // b comes first in the pod array
    CollisionSet set(list, 3);
    set.resolveEntityContacts();
    EXPECT_EQ(b.money(), 11);
    EXPECT_EQ(a.money(), 10);
    EXPECT_EQ(money.active(), -1);
    EXPECT_EQ(money.pickedUpAt(), T0 + 500);
    EXPECT_EQ(money.body()->position(), terrain_->bonusMarkerPosition(1) - Vector3(0, 10000, 0));
    // Away, far below: nobody takes it again.
    money.update();
    set.resolveEntityContacts();
    EXPECT_EQ(b.money() + a.money(), 21);
}

TEST_F(Bonuses, OnePodTakesTwoBonusesInOneFrameWithTheirEffects) {
    Bonus boost(&bonusModel, KIND_BOOST_BONUS, 2);
    Bonus money(&bonusModel, KIND_MONEY_BONUS, 3);
    boost.update();
    money.update();
    // A big pod between the two markers, 100000 apart.
    BoxModel huge = BoxModel::fromFileBox(Vector3(-100000, -100000, -100000), Vector3(100000, 100000, 100000));
    Probe<AIPod> pod(&huge);
    putOn(pod, boost, Vector3(0, 0, 50000));
    pod.boost() = -11;
    Entity* list[] = {&pod, &boost, &money};
    CollisionSet set(list, 3);
    set.resolveEntityContacts();
    EXPECT_EQ(pod.boost(), 1989);
    EXPECT_EQ(pod.money(), 11);
    EXPECT_EQ(boost.active(), -1);
    EXPECT_EQ(money.active(), -1);
}

TEST_F(Bonuses, ReloadDocksTheMissileOrIsSpentForNothing) {
    Bonus reload(&bonusModel, KIND_RELOAD_BONUS, 0);
    Bonus second(&bonusModel, KIND_RELOAD_BONUS, 0);
    reload.update();
    second.update();
    BoxModel missileModel = podModel();
    Probe<AIPod> owner(&model);
    Probe<AIPod> other(&model);
    putOn(owner, reload);
    putOn(other, reload, Vector3(0, 50000, 0));  // out of reach
    Missile missile(&missileModel, &owner, KIND_AI_MISSILE);
    Missile otherMissile(&missileModel, &other, KIND_AI_MISSILE);
    missile.docked() = 0;
    owner.missileReady() = 0;

    Entity* list[] = {&owner, &other, &missile, &otherMissile, &reload, &second};
    CollisionSet set(list, 6);
    set.resolveEntityContacts();
    EXPECT_EQ(owner.missileReady(), 1);
    EXPECT_EQ(missile.docked(), 1);
    EXPECT_EQ(reload.active(), -1);
    // The second reload bonus at the same marker: the pod's missile is ready, it is used up anyway.
    EXPECT_EQ(second.active(), -1);
    EXPECT_EQ(owner.money(), 10);
    EXPECT_EQ(owner.boost(), 0);
}

}  // namespace

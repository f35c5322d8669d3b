#include "race/Race.h"

#include "HeadlessRace.h"

#include "app/services/Clock.h"
#include "app/services/KeyTable.h"
#include "entities/CollisionSet.h"
#include "entities/Missile.h"
#include "motion/Body.h"
#include "terrain/Terrain.h"

#include <gtest/gtest.h>

#include <cmath>

#include <GL/freeglut.h>

namespace {
class RaceWorld : public testing::Test {
protected:
    void SetUp() override {
        clearKeys();
        setTestClock(1000);
        setCameraIndex(0);
        setViewDistance(START_VIEW_DISTANCE);
        race = std::make_unique<Race>(headlessTerrain());
        setCurrentTerrain(race->terrain());
    }
    void TearDown() override {
        race.reset();
        clearKeys();
        setCameraIndex(0);
        setViewDistance(START_VIEW_DISTANCE);
        useRealClock();
    }
    std::unique_ptr<Race> race;
};
}

TEST_F(RaceWorld, PodsJoinThePodListWithTheirStartTimeAndRankByProgress) {
    setTestClock(4321);
    StubEntity* slow = addStub(*race, KIND_PLAYER_POD, 10.0);
    StubEntity* missile = addStub(*race, KIND_AI_MISSILE);
    StubEntity* fast = addStub(*race, KIND_AI_POD, 30.0);
    StubEntity* middle = addStub(*race, KIND_AI_POD, 20.0);
    addStub(*race, KIND_BOOST_BONUS);
    EXPECT_EQ(race->entityCount(), 5);
    EXPECT_EQ(race->pods(), (std::vector<Entity*>{slow, fast, middle}));
    EXPECT_EQ(slow->startTime(), 4321u);
    EXPECT_EQ(missile->startTime(), 0u);

    race->rankPods();
    EXPECT_EQ(race->pods(), (std::vector<Entity*>{fast, middle, slow}));
    slow->setProgress(1e13);
    race->rankPods();
    EXPECT_EQ(race->pods().front(), slow);
}

TEST_F(RaceWorld, EachMissileAimsAtThePodJustAheadOfItsOwnerAndTheLeadersAtTheLast) {
    StubEntity* a = addStub(*race, KIND_PLAYER_POD, 3.0);
    StubEntity* b = addStub(*race, KIND_AI_POD, 1.0);
    StubEntity* c = addStub(*race, KIND_AI_POD, 2.0);
    StubEntity* outsider = addStub(*race, KIND_MONEY_BONUS);
    auto add = [&](Entity* owner, int kind) {
        auto missile = std::make_unique<Missile>(nullptr, owner, kind);
        Missile* raw = missile.get();
        race->addEntity(std::move(missile));
        return raw;
    };
    Missile* ofA = add(a, KIND_PLAYER_MISSILE);
    Missile* ofB = add(b, KIND_AI_MISSILE);
    Missile* ofC = add(c, KIND_AI_MISSILE);
    Missile* ofOutsider = add(outsider, KIND_AI_MISSILE);
    race->rankPods();  // a, c, b
    race->assignMissileTargets();
    EXPECT_EQ(ofA->target(), b);  // the leader aims at the last
    EXPECT_EQ(ofC->target(), a);
    EXPECT_EQ(ofB->target(), c);
    EXPECT_EQ(ofOutsider->target(), b);
}

TEST_F(RaceWorld, ViewKeysPickTheViewF3First) {
    addStub(*race, KIND_PLAYER_POD);
    race->setView(3, 500.0);
    onSpecialPress(GLUT_KEY_F1, 0, 0);
    race->readKeys();
    EXPECT_EQ(race->viewedIndex(), 0);
    EXPECT_EQ(race->cameraDistance(), 0.0);
    onSpecialPress(GLUT_KEY_F2, 0, 0);
    race->readKeys();
    EXPECT_EQ(race->cameraDistance(), 2000.0);
    onSpecialPress(GLUT_KEY_F3, 0, 0);
    race->readKeys();
    EXPECT_EQ(race->cameraDistance(), 1000.0);
    endKeyFrame();
    onSpecialRelease(GLUT_KEY_F3, 0, 0);
    race->readKeys();
    EXPECT_EQ(race->cameraDistance(), 2000.0);

    onKeyPress('.', 0, 0);
    race->readKeys();
    EXPECT_EQ(race->lighting(), 0);
    onKeyPress('0', 0, 0);
    race->readKeys();
    EXPECT_EQ(race->lighting(), 0);  // '.' is read after '0' and wins
    endKeyFrame();
    onKeyRelease('.', 0, 0);
    race->readKeys();
    EXPECT_EQ(race->lighting(), 1);
}

TEST_F(RaceWorld, ATappedF1SwitchesToTheCockpitForOneFrame) {
    onSpecialPress(GLUT_KEY_F1, 0, 0);
    onSpecialRelease(GLUT_KEY_F1, 0, 0);
    race->readKeys();
    endKeyFrame();
    EXPECT_EQ(race->cameraDistance(), 0.0);
    race->setView(0, 2000.0);
    race->readKeys();
    EXPECT_EQ(race->cameraDistance(), 2000.0);
}

TEST_F(RaceWorld, PageUpAndPageDownMoveTheViewDistanceWithoutBound) {
    onSpecialPress(GLUT_KEY_PAGE_UP, 0, 0);
    race->readKeys();
    EXPECT_EQ(viewDistance(), 80000);
    EXPECT_EQ(race->terrain()->getViewDistance(), 80000.0);
    endKeyFrame();
    onSpecialRelease(GLUT_KEY_PAGE_UP, 0, 0);
    onSpecialPress(GLUT_KEY_PAGE_DOWN, 0, 0);
    for (int frame = 0; frame < 10; ++frame) race->readKeys();
    EXPECT_EQ(viewDistance(), -20000);
    EXPECT_EQ(race->terrain()->getViewDistance(), -20000.0);
    // Both held: up then down, no change.
    onSpecialPress(GLUT_KEY_PAGE_UP, 0, 0);
    race->readKeys();
    EXPECT_EQ(viewDistance(), -20000);
}

TEST_F(RaceWorld, PlusVisitsEveryEntityOnePerFrameAndWrapsToThePlayer) {
    const int kinds[] = {KIND_PLAYER_POD, KIND_AI_POD, KIND_PLAYER_MISSILE, KIND_RELOAD_BONUS};
    for (int i = 0; i < 4; ++i) addStub(*race, kinds[i])->body()->moveUp(100.0 * i);
    race->setView(0, 0.0);
    race->start();
    EXPECT_EQ(race->camera().position(), Vector3(0, 0, 0));
    onKeyPress('+', 0, 0);
    for (int frame = 1; frame <= 5; ++frame) {
        race->updateCamera();
        EXPECT_EQ(cameraIndex(), static_cast<unsigned>(frame % 4));
        EXPECT_EQ(race->camera().position(), race->entityAt(frame % 4)->body()->position());
    }
    // The head-up display keeps following the player.
    EXPECT_EQ(race->viewedIndex(), 0);
    endKeyFrame();
    onKeyRelease('+', 0, 0);
    race->updateCamera();
    EXPECT_EQ(cameraIndex(), 1u);

    onSpecialPress(GLUT_KEY_HOME, 0, 0);  // Home brings it back to the player's pod
    race->updateCamera();
    EXPECT_EQ(cameraIndex(), 0u);
    EXPECT_EQ(race->camera().position(), race->entityAt(0)->body()->position());
}

TEST_F(RaceWorld, TheChaseCameraSitsBehindAndAboveTheFollowedBody) {
    StubEntity* pod = addStub(*race, KIND_PLAYER_POD);
    // As low as a pod gets over flat ground: resting on its contact box (half height 91), then
    // sunk by one step of the fastest dive (120).
    Vector3 normal;
    const double ground = race->terrain()->groundAt(Vector3(0, 0, 0), normal).y;
    pod->body()->moveUp(ground + 91.0 - 120.0);
    for (double distance : {1000.0, 2000.0}) {
        race->setView(0, distance);
        race->updateCamera();
        const Body expected = chaseCamera(*pod->body(), distance);
        EXPECT_EQ(race->camera().position(), expected.position()) << distance;
        EXPECT_EQ(race->camera().lookPoint(), expected.lookPoint()) << distance;
    }
    EXPECT_NEAR(race->camera().position().x, -2000.0, 1e-9);
    EXPECT_NEAR(race->camera().position().y, ground + 91.0 - 120.0 + 2000.0 / 3, 1e-9);
}

namespace {
// Ground whose heightmap column col has the blue value blue(col); x grows with the column.
std::unique_ptr<Terrain> columnTerrain(int (*blue)(int), double heightScale) {
    Image heightmap(16, 16);
    for (int row = 0; row < 16; ++row)
        for (int col = 0; col < 16; ++col) heightmap.setPixel(col, row, packColour(0, 0, static_cast<std::uint8_t>(blue(col)), 0));
    return std::make_unique<Terrain>(Vector3(0, 0, 0), heightmap, heightScale, 1200.0);
}
}

// Slopes of one and two units a unit, and a cliff, rising behind a pod facing away from them:
// the pod stays inside the picture (45 degrees high), no ground lies between it and the eye, and
// the picture does not start inside the rock.
TEST_F(RaceWorld, TheChaseViewsKeepThePodOnTheScreenAndTheRockOutOfTheWay) {
    const auto slope = [](int col) { return 240 - 16 * col; };  // 16 a column of 1200
    const auto cliff = [](int col) { return col < 8 ? 240 : 20; };
    const auto wall = [](int col) { return col < 8 ? 255 : 0; };
    const struct {
        int (*blue)(int) = nullptr;
        double heightScale = 0, podAt = 0, turned = 0;
    } grounds[] = {{slope, 1200.0 * 255 / 16, 0.0, 0.0},
                   {slope, 2 * 1200.0 * 255 / 16, 0.0, 0.0},
                   {cliff, 10000.0, 1000.0, 0.0},
                   {wall, 10000.0, -500.0, 1.0}};  // on a face of eight in one, its back to it at an angle
    Vector3 normal;
    for (const auto& ground : grounds) {
        race = std::make_unique<Race>(columnTerrain(ground.blue, ground.heightScale));
        Body& pod = *addStub(*race, KIND_PLAYER_POD)->body();
        pod.moveForward(ground.podAt);
        pod.yaw(ground.turned);
        pod.moveUp(race->terrain()->groundAt(pod.position(), normal).y + 91.0 - pod.position().y);
        for (double distance : {1000.0, 2000.0}) {
            race->setView(0, distance);
            race->updateCamera();
            const Frame& eye = race->camera().frame();
            const Vector3 toPod = pod.position() - eye.position;
            const double depth = dot(toPod, eye.forward());
            EXPECT_GT(depth, 0.0) << ground.heightScale << " " << distance;
            EXPECT_LT(std::abs(dot(toPod, eye.up / length(eye.up))), depth * std::tan(22.5 * 3.14159265358979 / 180.0))
                << ground.heightScale << " " << distance;
            const Vector3 right = eye.right(), up = cross(right, eye.forward());
            for (double x : {-1.0, 1.0})  // the near plane's corners: 50 ahead, 45 degrees high at 4:3
                for (double y : {-1.0, 1.0}) {
                    const Vector3 p = eye.position + eye.forward() * 50.0 + right * (x * 27.6) + up * (y * 20.7);
                    EXPECT_GT(p.y, race->terrain()->groundAt(p, normal).y) << ground.heightScale << " " << distance;
                }
            for (double t = 0.0; t < 0.97; t += 0.01) {  // up to the pod's top
                const Vector3 p = eye.position + (pod.position() + Vector3(0, 91, 0) - eye.position) * t;
                ASSERT_GT(p.y, race->terrain()->groundAt(p, normal).y) << ground.heightScale << " " << distance << " at " << t;
            }
        }
    }
    // A pod buried in the cliff shows from nowhere: the eye is only lifted, looking as always.
    Body& buried = *race->entityAt(0)->body();
    buried.moveUp(-3000.0);
    race->updateCamera();
    EXPECT_NEAR(length(race->camera().frame().forward() - chaseCamera(buried, 2000.0).frame().forward()), 0.0, 1e-9);
}

TEST_F(RaceWorld, OnlyEntitiesAheadAndInRangeAreDrawnAndTheCockpitHidesItsPod) {
    // The camera copies entity 0 at the origin looking down +x (cockpit view).
    addStub(*race, KIND_PLAYER_POD);
    StubEntity* ahead = addStub(*race, KIND_AI_POD);
    ahead->body()->moveForward(5000.0);
    StubEntity* behind = addStub(*race, KIND_AI_POD);
    behind->body()->moveForward(-1.0);
    StubEntity* beside = addStub(*race, KIND_AI_POD);
    beside->body()->moveRight(3000.0);  // dot product exactly 0
    StubEntity* atRange = addStub(*race, KIND_AI_POD);
    atRange->body()->moveForward(70000.0);
    StubEntity* beyond = addStub(*race, KIND_AI_POD);
    beyond->body()->moveForward(70000.001);
    race->terrain()->setViewDistance(70000.0);
    race->setView(0, 0.0);
    race->start();

    EXPECT_FALSE(race->isDrawn(0));  // the viewed pod, seen from inside
    EXPECT_TRUE(race->isDrawn(1));
    EXPECT_FALSE(race->isDrawn(2));
    EXPECT_TRUE(race->isDrawn(3));
    EXPECT_TRUE(race->isDrawn(4));
    EXPECT_FALSE(race->isDrawn(5));

    race->setView(0, 2000.0);
    race->updateCamera();
    EXPECT_TRUE(race->isDrawn(0));  // the chase views show it
}

TEST_F(RaceWorld, AHeadlessRaceRunsItsFrameStepsWithoutOpenGl) {
    StubEntity* pod = addStub(*race, KIND_PLAYER_POD);
    pod->body()->setParameters(1000.0, 15000000.0, 3000.0, 500.0, 5.0, 5.0, 5000.0, 50.0, 0.15);
    race->start();
    ASSERT_NE(race->collisions(), nullptr);
    EXPECT_EQ(race->collisions()->podCount(), 1);
    for (std::uint32_t t = 1016; t < 2000; t += 16) {
        setTestClock(t);
        pod->body()->thrust(1.1);
        race->think();
        race->collide();
        race->moveBodies();
        race->updateCamera();
    }
    EXPECT_EQ(pod->body()->lastStepTime(), 1992u);
    EXPECT_EQ(race->camera().position(), chaseCamera(*pod->body(), race->cameraDistance()).position());
}

TEST_F(RaceWorld, DestroyingTheRaceClearsTheCurrentTerrain) {
    EXPECT_EQ(currentTerrain(), race->terrain());
    race.reset();
    EXPECT_EQ(currentTerrain(), nullptr);
}

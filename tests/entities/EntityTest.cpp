#include "entities/Entity.h"
#include "entities/PlayerPod.h"

#include "EntitySupport.h"

namespace {

class Still : public Entity {
public:
    using Entity::Entity;
    void update() override { refreshBox(); }
};

using EntityBase = EntityTestBase;

TEST_F(EntityBase, StartsWithDefaultsAndAnUntouchedBodyAtTheOrigin) {
    BoxModel model = podModel();
    Still e(&model, 6);
    EXPECT_EQ(e.kind(), 6);
    EXPECT_EQ(e.active(), 1);
    EXPECT_EQ(e.missileReady(), 1);
    EXPECT_EQ(e.money(), 10);
    EXPECT_EQ(e.boost(), 0);
    EXPECT_EQ(e.model(), &model);
    EXPECT_EQ(e.body()->position(), Vector3(0, 0, 0));
    EXPECT_EQ(e.body()->lookPoint(), Vector3(1, 0, 0));
    EXPECT_EQ(e.body()->up(), Vector3(0, 1, 0));
}

TEST_F(EntityBase, SignedHalfExtentsGiveALowFirstCorner) {
    // File box (-1,-2,-3)..(1,2,3) loads as (-1,-3,2)..(1,3,-2): the z half extent is negative.
    BoxModel model = BoxModel::fromFileBox(Vector3(-1, -2, -3), Vector3(1, 2, 3));
    Still e(&model, 1);
    EXPECT_EQ(e.halfExtents(), Vector3(1, 3, -2));
    e.body()->moveForward(10);
    e.update();
    EXPECT_EQ(e.box().corner0, Vector3(9, -3, -2));
    EXPECT_EQ(e.box().corner1, Vector3(11, 3, 2));

    Still other(&model, 1);
    other.update();
    EXPECT_TRUE(other.box().overlaps(Box(Vector3(0.5, -1, -1), Vector3(2, 1, 1))));
    // Sharing a face is no contact.
    other.body()->moveForward(2);
    other.update();
    Still left(&model, 1);
    left.update();
    EXPECT_FALSE(left.box().overlaps(other.box()));
}

TEST_F(EntityBase, DegenerateOrMissingModelGivesAZeroBoxAtThePosition) {
    BoxModel flat(Box(Vector3(4, 4, 4), Vector3(4, 4, 4)));
    Still e(&flat, 5);
    Still none(nullptr, 5);
    e.body()->moveUp(7);
    e.update();
    none.update();
    EXPECT_EQ(e.box().corner0, Vector3(0, 7, 0));
    EXPECT_EQ(e.box().corner1, Vector3(0, 7, 0));
    EXPECT_EQ(none.box().corner0, Vector3(0, 0, 0));
    EXPECT_TRUE(e.box().overlaps(Box(Vector3(-1, 6, -1), Vector3(1, 8, 1))));
    EXPECT_FALSE(e.box().overlaps(Box(Vector3(0, 6, -1), Vector3(1, 8, 1))));
}

TEST_F(EntityBase, ProgressWeighsLapsAndCheckpointsAs64BitTerms) {
    // Four checkpoints on a 5 x 5 grid 100000 apart.
    Terrain& t = useTerrain(heightmap(5, 5, 0,
                                      {checkpointAt(0, 0, 0), checkpointAt(4, 0, 1), checkpointAt(4, 4, 2),
                                       checkpointAt(0, 4, 3)}));
    BoxModel model = podModel();
    Probe<PlayerPod> pod(&model);
    const Vector3 at = t.checkpoint(0) + Vector3(0, 0, 30000);

    // Heading for checkpoint 0, the distance counts from the last one, N - 1.
    pod.place(at, at + Vector3(1, 0, 0));
    pod.setStage(2000, 0);
    pod.refresh();
    const double fromLast = lengthSquared(at - t.checkpoint(3));
    EXPECT_DOUBLE_EQ(pod.progress(), 2000 * 1e13 + fromLast);

    pod.setStage(3, 2);
    pod.refresh();
    EXPECT_DOUBLE_EQ(pod.progress(), 3e13 + 2e10 + lengthSquared(at - t.checkpoint(1)));
}

}  // namespace

#include "geometry/Box.h"

#include <gtest/gtest.h>

TEST(Box, TouchingBoxesDoNotOverlap) {
    const Box a(Vector3(0, 0, 0), Vector3(1, 1, 1));
    Box b(Vector3(1, 0, 0), Vector3(2, 1, 1));
    EXPECT_FALSE(a.overlaps(b));
    EXPECT_FALSE(b.overlaps(a));
    b.corner0.x -= 0.001;
    EXPECT_TRUE(a.overlaps(b));
    EXPECT_TRUE(b.overlaps(a));
    // Sharing only an edge or a corner is no overlap either.
    EXPECT_FALSE(a.overlaps(Box(Vector3(1, 1, 0), Vector3(2, 2, 1))));
    EXPECT_FALSE(a.overlaps(Box(Vector3(1, 1, 1), Vector3(2, 2, 2))));
    // Separated on one axis only is enough.
    EXPECT_FALSE(a.overlaps(Box(Vector3(0.2, 0.2, 3), Vector3(0.8, 0.8, 4))));
}

TEST(Box, ZeroSizeBoxOverlapsOnlyBoxesStrictlyAroundIt) {
    const Box point(Vector3(0, 0, 0), Vector3(0, 0, 0));
    EXPECT_TRUE(point.overlaps(Box(Vector3(-1, -1, -1), Vector3(1, 1, 1))));
    EXPECT_FALSE(point.overlaps(Box(Vector3(0, -1, -1), Vector3(1, 1, 1))));
}

TEST(Box, CornersInCountingOrder) {
    const Box box(Vector3(0, 10, 100), Vector3(1, 11, 101));
    EXPECT_EQ(box.corner(0), box.corner0);
    EXPECT_EQ(box.corner(7), box.corner1);
    EXPECT_EQ(box.corner(1), Vector3(1, 10, 100));
    EXPECT_EQ(box.corner(2), Vector3(0, 11, 100));
    EXPECT_EQ(box.corner(4), Vector3(0, 10, 101));
    EXPECT_EQ(box.corner(6), Vector3(0, 11, 101));
}

TEST(Box, ContainsIsStrict) {
    Box box(Vector3(0, 0, 0), Vector3(2, 2, 2));
    EXPECT_TRUE(box.contains(Vector3(1, 1, 1)));
    EXPECT_FALSE(box.contains(Vector3(0, 1, 1)));
    EXPECT_FALSE(box.contains(Vector3(1, 2, 1)));
    EXPECT_TRUE(box.contains(Box(Vector3(0.5, 0.5, 0.5), Vector3(1.5, 1.5, 1.5))));
    EXPECT_FALSE(box.contains(Box(Vector3(0, 0.5, 0.5), Vector3(1.5, 1.5, 1.5))));
    box.bound(0) = Vector3(-1, -1, -1);
    box.bound(3) = Vector3(5, 5, 5);
    EXPECT_EQ(box.corner0, Vector3(-1, -1, -1));
    EXPECT_EQ(box.corner1, Vector3(5, 5, 5));
}

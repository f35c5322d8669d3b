#include "geometry/Vector3.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Vector3, CrossIsRightHandedAndVanishesOnItself) {
    EXPECT_EQ(cross(Vector3(1, 0, 0), Vector3(0, 1, 0)), Vector3(0, 0, 1));
    EXPECT_EQ(cross(Vector3(0, 1, 0), Vector3(0, 0, 1)), Vector3(1, 0, 0));
    const Vector3 a(2.5, -3, 7);
    EXPECT_EQ(cross(a, a), Vector3(0, 0, 0));
}

TEST(Vector3, IndexOutsideZeroToTwoSelectsZ) {
    Vector3 v(1, 2, 3);
    EXPECT_EQ(v[0], 1);
    EXPECT_EQ(v[1], 2);
    EXPECT_EQ(v[5], 3);
    EXPECT_EQ(v[-1], 3);
    v[5] = 9;
    EXPECT_EQ(v.z, 9);
    const Vector3 c(4, 5, 6);
    EXPECT_EQ(c[7], 6);
}

TEST(Vector3, ArithmeticInPlaceAndByValue) {
    Vector3 a(1, 2, 3);
    a += Vector3(1, 1, 1);
    a -= Vector3(0, 1, 2);
    EXPECT_EQ(a, Vector3(2, 2, 2));
    a *= 3;
    a /= 2;
    EXPECT_EQ(a, Vector3(3, 3, 3));
    a *= Vector3(1, 2, 3);
    EXPECT_EQ(a, Vector3(3, 6, 9));
    a /= Vector3(3, 2, 3);
    EXPECT_EQ(a, Vector3(1, 3, 3));
    EXPECT_EQ(-a, Vector3(-1, -3, -3));
    EXPECT_EQ(2.0 * Vector3(1, 2, 3), Vector3(1, 2, 3) * 2.0);
    EXPECT_EQ(Vector3(2, 4, 6) / 2.0, Vector3(1, 2, 3));
    EXPECT_EQ(Vector3(1, 2, 3) - Vector3(1, 1, 1), Vector3(0, 1, 2));
    EXPECT_DOUBLE_EQ(dot(Vector3(1, 2, 3), Vector3(4, -5, 6)), 12.0);
    EXPECT_DOUBLE_EQ(length(Vector3(3, 4, 12)), 13.0);
    EXPECT_DOUBLE_EQ(lengthSquared(Vector3(3, 4, 12)), 169.0);
}

TEST(Vector3, DivisionByZeroCarriesOnWithInfinities) {
    const Vector3 v = Vector3(1, -1, 0) / 0.0;
    EXPECT_TRUE(std::isinf(v.x) && v.x > 0);
    EXPECT_TRUE(std::isinf(v.y) && v.y < 0);
    EXPECT_TRUE(std::isnan(v.z));
}

TEST(Vector3, ComparisonsAreStrictPerComponentAndNotOrderings) {
    EXPECT_FALSE(Vector3(1, 2, 3) < Vector3(2, 3, 3));
    EXPECT_TRUE(Vector3(1, 2, 3) > Vector3(0, 1, 2));
    EXPECT_FALSE(Vector3(0, 5, 0) < Vector3(1, 1, 1));
    EXPECT_FALSE(Vector3(0, 5, 0) > Vector3(1, 1, 1));
    EXPECT_TRUE(Vector3(1, 2, 3) != Vector3(1, 2, 4));
    EXPECT_EQ(componentMin(Vector3(1, 5, -2), Vector3(3, 0, -1)), Vector3(1, 0, -2));
    EXPECT_EQ(componentMax(Vector3(1, 5, -2), Vector3(3, 0, -1)), Vector3(3, 5, -1));
}

TEST(Vector3, PerpendicularDropsTheSmallestComponent) {
    const Vector3 p = perpendicular(Vector3(0, 0, 1));
    EXPECT_EQ(p, Vector3(0, 1, 0));
    EXPECT_TRUE(std::signbit(p.z)) << "the swapped zero keeps its minus sign";
    EXPECT_EQ(perpendicular(Vector3(3, 1, 2)), Vector3(2, 0, -3));
    EXPECT_EQ(perpendicular(Vector3(3, 2, 1)), Vector3(2, -3, 0));
    EXPECT_EQ(perpendicular(Vector3(1, 3, 2)), Vector3(0, 2, -3));
    EXPECT_EQ(perpendicular(Vector3(2, 3, 1)), Vector3(-3, 2, 0));
    for (const Vector3& a : {Vector3(3, 1, 2), Vector3(-4, 7, 0.5), Vector3(1, 1, 1)})
        EXPECT_DOUBLE_EQ(dot(a, perpendicular(a)), 0.0);
}

TEST(Vector3, PrintWritesFixedSixDecimals) {
    testing::internal::CaptureStdout();
    print(Vector3(1, 0, 0));
    print(Vector3(-2.5, 0.1234567, 3));
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "(1.000000,0.000000,0.000000)\n(-2.500000,0.123457,3.000000)\n");
    EXPECT_EQ(out.find('\n'), 28u);
}

#include "assets/Image.h"
#include "assets/MdlFormat.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

// Inputs the fuzzers once stopped on, kept so that they stay handled. Each goes through the
// same checks as its fuzz target (fuzz/*ReaderFuzz.cpp).

namespace {

void expectSoundMdl(const std::string& bytes) {
    std::istringstream in(bytes);
    MdlData mesh;
    if (!parseMdl(in, mesh)) {
        EXPECT_TRUE(mesh.vertices.empty() && mesh.triangles.empty());
        return;
    }
    for (const MeshTriangle& triangle : mesh.triangles)
        for (int index : triangle.vertexIndices) {
            EXPECT_GE(index, 1);
            EXPECT_LE(index, static_cast<int>(mesh.vertices.size()));
        }
    std::istringstream written(formatMdl(mesh));
    MdlData back;
    ASSERT_TRUE(parseMdl(written, back));
    EXPECT_EQ(formatMdl(back), formatMdl(mesh));
    EXPECT_EQ(back.box.corner0, mesh.box.corner0);
    EXPECT_EQ(back.box.corner1, mesh.box.corner1);
}

}  // namespace

TEST(FuzzRegression, MdlEmptyMeshWithNegativeZeroCorners) {
    // An accepted mesh with no vertices and no triangles: the round trip compares empty arrays.
    expectSoundMdl(std::string("0;0\n(0,-0,0),(0,-0,0)\n"));
}

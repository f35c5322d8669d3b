#include "assets/Image.h"
#include "assets/MdlFormat.h"
#include "assets/Model.h"

#include "BmpBytes.h"
#include "support/GlContext.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// A triangle across the middle of the view, 100 units in front of the default camera.
MdlData facingTriangle() {
    MdlData data;
    data.box = Box(Vector3(-30, -30, -101), Vector3(30, 30, -99));
    const float corners[3][3] = {{-30, -30, -100}, {30, -30, -100}, {0, 30, -100}};
    for (const auto& corner : corners) {
        MeshVertex vertex{};
        for (int c = 0; c < 3; ++c) vertex.position[c] = corner[c];
        vertex.normal[2] = 1;
        data.vertices.push_back(vertex);
    }
    data.triangles.push_back(MeshTriangle{{0, 1, 0.5f}, {0, 0, 1}, {1, 2, 3}});
    return data;
}

// Fills itself without a file, for drawing a mesh whose material has no texture.
class UntexturedMesh : public Mesh {
public:
    bool load(const char*) override {
        MdlData data = facingTriangle();
        vertices = data.vertices;
        triangles = data.triangles;
        groups.push_back(MeshGroup{0, {0}});
        materials.push_back(MeshMaterial{});
        loadTextures();
        return true;
    }
};

}  // namespace

TEST(Model, EmptyUntilLoadedAndAfterAFailedLoad) {
    TempDir dir;
    Model model;
    EXPECT_FALSE(model.load(dir.file("none").c_str()));
    dir.write("bad.mdl", "3;1 (0,0,0),(1,1,1) (1,2,3),");
    EXPECT_FALSE(model.load(dir.file("bad").c_str()));
    EXPECT_EQ(model.vertexCount(), 0);
    EXPECT_EQ(model.triangleCount(), 0);
    EXPECT_EQ(model.groupCount(), 0);
    EXPECT_EQ(model.materialCount(), 0);
    EXPECT_EQ(model.boundingBox().corner1, Vector3(0, 0, 0));
}

TEST(Model, LoadsOneGroupAndOneMaterialNamedAfterThePath) {
    REQUIRE_GL_CONTEXT();
    TempDir dir;
    ASSERT_TRUE(writeMdl(dir.file("pod.mdl").c_str(), facingTriangle()));
    dir.write("pod.bmp", bmpGradient(4, 4));
    Model model;
    ASSERT_TRUE(model.load(dir.file("pod").c_str()));
    EXPECT_EQ(model.vertexCount(), 3);
    EXPECT_EQ(model.triangleCount(), 1);
    ASSERT_EQ(model.groupCount(), 1);
    EXPECT_EQ(model.meshGroups()[0].material, 0);
    EXPECT_EQ(model.meshGroups()[0].triangleIndices, std::vector<int>{0});
    ASSERT_EQ(model.materialCount(), 1);
    EXPECT_EQ(model.meshMaterials()[0].textureFile, dir.file("pod.bmp"));
    EXPECT_NE(model.meshMaterials()[0].texture, 0u);
    EXPECT_EQ(model.boundingBox().corner0, Vector3(-30, -30, -101));
}

TEST(Model, DrawsTexturedAndRestoresTexturing) {
    REQUIRE_GL_CONTEXT();
    TempDir dir;
    ASSERT_TRUE(writeMdl(dir.file("red.mdl").c_str(), facingTriangle()));
    Image red(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) red.setPixel(x, y, packColour(255, 0, 0, 0));
    ASSERT_NE(red.save(dir.file("red.bmp").c_str()), 0);
    Model model;
    ASSERT_TRUE(model.load(dir.file("red").c_str()));

    glDisable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    model.draw();
    EXPECT_EQ(GlContext::pixel(512, 384) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(GlContext::pixel(5, 5) & 0xFFFFFF, 0u);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST(Model, UntexturedMeshDrawsInTheCurrentColourAndRestoresTexturing) {
    REQUIRE_GL_CONTEXT();
    UntexturedMesh mesh;
    mesh.load("");
    ASSERT_EQ(mesh.meshMaterials()[0].texture, 0u);

    for (bool enabledBefore : {true, false}) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (enabledBefore) glEnable(GL_TEXTURE_2D); else glDisable(GL_TEXTURE_2D);
        glColor3f(0, 1, 0);
        mesh.draw();
        EXPECT_EQ(GlContext::pixel(512, 384) & 0xFFFFFF, 0x00FF00u);
        EXPECT_EQ(static_cast<bool>(glIsEnabled(GL_TEXTURE_2D)), enabledBefore);
    }
}

TEST(Model, MissingPictureDrawsUntextured) {
    REQUIRE_GL_CONTEXT();
    TempDir dir;
    ASSERT_TRUE(writeMdl(dir.file("bare.mdl").c_str(), facingTriangle()));
    Model model;
    ASSERT_TRUE(model.load(dir.file("bare").c_str()));
    glColor3f(0, 0, 1);
    model.draw();
    EXPECT_EQ(GlContext::pixel(512, 384) & 0xFFFFFF, 0xFF0000u);
}

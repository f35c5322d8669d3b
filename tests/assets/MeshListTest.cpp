#include "assets/Image.h"
#include "assets/MdlFormat.h"
#include "assets/Model.h"

#include "app/services/GlServices.h"
#include "support/GlContext.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

// The compiled drawing must give the very picture of the vertex-by-vertex one.
namespace {

// A lit, textured, bumpy sheet in front of the default camera: every vertex its own normal
// and every corner its own texture coordinates, so that any of them going astray shows.
MdlData bumpySheet() {
    constexpr int N = 12;
    MdlData data;
    data.box = Box(Vector3(-40, -30, -130), Vector3(40, 30, -90));
    for (int j = 0; j <= N; ++j)
        for (int i = 0; i <= N; ++i) {
            MeshVertex v{};
            v.position[0] = -40.0f + 80.0f * i / N;
            v.position[1] = -30.0f + 60.0f * j / N;
            v.position[2] = -110.0f + 8.0f * std::sin(i * 1.3f + j * 0.7f);
            const float nx = std::sin(i * 2.1f), ny = std::cos(j * 1.7f);
            const float length = std::sqrt(nx * nx + ny * ny + 1.0f);
            v.normal[0] = nx / length;
            v.normal[1] = ny / length;
            v.normal[2] = 1.0f / length;
            data.vertices.push_back(v);
        }
    for (int j = 0; j < N; ++j)
        for (int i = 0; i < N; ++i) {
            const int a = j * (N + 1) + i + 1, b = a + 1, c = a + N + 1, d = c + 1;
            const float s = 0.37f * i + 0.11f * j, t = 0.23f * j - 0.05f * i;
            data.triangles.push_back(MeshTriangle{{s, s + 0.3f, s}, {t, t, t + 0.4f}, {a, b, c}});
            data.triangles.push_back(MeshTriangle{{s + 0.3f, s + 0.3f, s}, {t, t + 0.4f, t + 0.4f}, {b, d, c}});
        }
    return data;
}

// A model whose arrays a test may change after loading.
class AlterableModel : public Model {
public:
    MeshVertex& vertex(int i) { return vertices[static_cast<std::size_t>(i)]; }
    MeshTriangle& triangle(int i) { return triangles[static_cast<std::size_t>(i)]; }
};

std::vector<std::uint8_t> picture(const Mesh& mesh, bool compiled) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    lightsOn();
    glColor3f(0.9f, 0.8f, 0.7f);
    if (compiled)
        mesh.draw();
    else
        mesh.drawImmediately();
    lightsOff();
    return GlContext::readPixels();
}

bool same(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size()) == 0;
}

class MeshList : public testing::Test {
protected:
    void SetUp() override {
        REQUIRE_GL_CONTEXT();
        GlContext::setGameState();
        ASSERT_TRUE(writeMdl(dir.file("sheet.mdl").c_str(), bumpySheet()));
        Image paint(32, 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                paint.setPixel(x, y, packColour(static_cast<std::uint8_t>(x * 8), static_cast<std::uint8_t>(y * 8),
                                                (x + y) % 2 ? 230 : 30, 0));
        ASSERT_NE(paint.save(dir.file("sheet.bmp").c_str()), 0);
    }
    TempDir dir;
};

}  // namespace

TEST_F(MeshList, CompiledDrawingIsThePictureOfTheVertexByVertexOne) {
    AlterableModel model;
    ASSERT_TRUE(model.load(dir.file("sheet").c_str()));
    ASSERT_NE(model.displayList(), 0u);
    const std::vector<std::uint8_t> sent = picture(model, false);
    EXPECT_TRUE(same(picture(model, true), sent));
    int lit = 0;
    for (std::size_t i = 0; i < sent.size(); i += 4) lit += sent[i] != 0;
    EXPECT_GT(lit, 50000);

    // The comparison sees one normal or one texture coordinate out of place.
    // (The light stands straight above, so it is the normal's y that shows.)
    model.vertex(90).normal[1] = -model.vertex(90).normal[1];
    EXPECT_FALSE(same(picture(model, false), sent));
    model.vertex(90).normal[1] = -model.vertex(90).normal[1];
    model.triangle(150).u[1] += 0.25f;
    EXPECT_FALSE(same(picture(model, false), sent));
    // The list keeps what was compiled until the mesh is compiled again.
    EXPECT_TRUE(same(picture(model, true), sent));
}

TEST_F(MeshList, ListGoesWithTheMeshAndASecondLoadRebuildsIt) {
    auto model = std::make_unique<Model>();
    ASSERT_TRUE(model->load(dir.file("sheet").c_str()));
    const GLuint first = model->displayList();
    const std::vector<std::uint8_t> before = picture(*model, true);
    ASSERT_TRUE(model->load(dir.file("sheet").c_str()));
    EXPECT_NE(model->displayList(), 0u);
    EXPECT_TRUE(model->displayList() == first || !glIsList(first));
    EXPECT_TRUE(same(picture(*model, true), before));
    const GLuint second = model->displayList();
    model.reset();
    EXPECT_FALSE(glIsList(second));
}

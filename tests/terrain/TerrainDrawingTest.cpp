#include "terrain/Terrain.h"

#include "Heightmaps.h"
#include "motion/Body.h"
#include "support/GlContext.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdlib>
#include <memory>

namespace {
const GLfloat FOG[4] = {0.149f, 0.192f, 0.262f, 1.0f};

// Sky faces 0 to 5 in colours that tell them apart.
const std::uint8_t SKY_COLOURS[6][3] = {{255, 0, 0}, {0, 255, 0}, {90, 90, 90}, {0, 0, 255}, {255, 255, 0}, {0, 255, 255}};

std::uint32_t rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return r | (g << 8) | (b << 16); }

bool near(std::uint32_t pixel, std::uint32_t expected, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = (pixel >> shift) & 0xFF, b = (expected >> shift) & 0xFF;
        if (std::abs(a - b) > tolerance) return false;
    }
    return true;
}

std::uint32_t fogPixel() {
    return rgb(static_cast<std::uint8_t>(FOG[0] * 255 + 0.5f), static_cast<std::uint8_t>(FOG[1] * 255 + 0.5f),
               static_cast<std::uint8_t>(FOG[2] * 255 + 0.5f));
}

// The camera as the race applies it: the identity model-view, then a look from the body.
void look(const Body& camera, const Vector3& up = Vector3(0, 1, 0)) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const Vector3 e = camera.position(), c = camera.lookPoint();
    gluLookAt(e.x, e.y, e.z, c.x, c.y, c.z, up.x, up.y, up.z);
}

class TerrainDrawing : public testing::Test {
protected:
    // A textured terrain from files; the grass picture's left half (low columns) is red and
    // its right half blue.
    std::unique_ptr<Terrain> makeTerrain(const Image& heightmap) {
        heightmap.save(files.file("height.bmp").c_str());
        Image grass(64, 64);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) grass.setPixel(x, y, x < 32 ? packColour(220, 0, 0, 0) : packColour(0, 0, 220, 0));
        grass.save(files.file("grass.bmp").c_str());
        for (int face = 0; face < 6; ++face)
            solidPicture(files.file("sky" + std::to_string(face) + ".bmp"), SKY_COLOURS[face][0],
                         SKY_COLOURS[face][1], SKY_COLOURS[face][2]);
        return std::make_unique<Terrain>(Vector3(0, 0, 0), files.file("height.bmp").c_str(),
                                         files.file("grass.bmp").c_str(), files.file("sky").c_str(), 10000.0, 1200.0);
    }

    TempDir files;
};
}

TEST_F(TerrainDrawing, AHeightmapOverTheGridLimitIsRefusedWithOneLineOnStderr) {
    REQUIRE_GL_CONTEXT();
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    auto refused = makeTerrain(flatHeightmap(Terrain::MAX_GRID_SIDE + 1, 2));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              files.file("height.bmp") + ": heightmap of 2049 x 2 samples refused; the terrain takes at most 2048 a side\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(refused->columns(), 0);
    EXPECT_EQ(refused->rows(), 0);

    testing::internal::CaptureStderr();
    auto accepted = makeTerrain(flatHeightmap(Terrain::MAX_GRID_SIDE, 2));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(accepted->columns(), Terrain::MAX_GRID_SIDE);
}

TEST_F(TerrainDrawing, SetsFogFromTheViewDistanceAndLeavesTheStateForTheNextFrame) {
    REQUIRE_GL_CONTEXT();
    auto terrain = makeTerrain(flatHeightmap(4, 4));
    terrain->setViewDistance(70000.0);
    terrain->draw(Body(Vector3(0, 1000, 0), Vector3(0, 1000, 1), Vector3(0, 1, 0)));

    GLfloat fogColour[4], clearColour[4], colour[4], start, end;
    glGetFloatv(GL_FOG_COLOR, fogColour);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    glGetFloatv(GL_CURRENT_COLOR, colour);
    glGetFloatv(GL_FOG_START, &start);
    glGetFloatv(GL_FOG_END, &end);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(fogColour[i], FOG[i]);
        EXPECT_FLOAT_EQ(clearColour[i], FOG[i]);
        EXPECT_FLOAT_EQ(colour[i], 1.0f);
    }
    EXPECT_FLOAT_EQ(start, 7000.0f);
    EXPECT_FLOAT_EQ(end, 70000.0f);
    GLint mode = 0, bound = 0;
    glGetIntegerv(GL_FOG_MODE, &mode);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(mode, GL_LINEAR);
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_NE(bound, 0);

    // The terrain owns its textures: they go with it.
    terrain.reset();
    EXPECT_FALSE(glIsTexture(static_cast<GLuint>(bound)));
}

TEST_F(TerrainDrawing, FlatGroundShowsGrassNearAndFogBeyondTheViewDistance) {
    REQUIRE_GL_CONTEXT();
    auto terrain = makeTerrain(flatHeightmap(64, 64));
    terrain->setViewDistance(30000.0);
    // Above the centre, looking along +z and 17 degrees down: +x is on the left of the screen.
    const Body camera(Vector3(0, 1500, 0), Vector3(0, 1500 - 0.3057, 1), Vector3(0, 1, 0));
    // Two frames, as the game runs them: the first sets the clear colour the second clears with.
    for (int frame = 0; frame < 2; ++frame) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        look(camera);
        terrain->draw(camera);
    }
    EXPECT_GT(terrain->lastDrawnTriangles(), 0);
    // Close ground, nearer than the fog start: the grass, blue on +x (columns past the middle).
    EXPECT_TRUE(near(GlContext::pixel(60, 5), rgb(0, 0, 220), 3)) << std::hex << GlContext::pixel(60, 5);
    EXPECT_TRUE(near(GlContext::pixel(964, 5), rgb(220, 0, 0), 3)) << std::hex << GlContext::pixel(964, 5);
    // Ground beyond the view distance (and the sky above the horizon) is the fog colour.
    EXPECT_TRUE(near(GlContext::pixel(512, 650), fogPixel(), 2)) << std::hex << GlContext::pixel(512, 650);
    EXPECT_TRUE(near(GlContext::pixel(512, 760), fogPixel(), 1));
    // In between, the ground fades: neither pure grass nor pure fog.
    const std::uint32_t middle = GlContext::pixel(60, 550);
    EXPECT_FALSE(near(middle, rgb(0, 0, 220), 10));
    EXPECT_FALSE(near(middle, fogPixel(), 10));
}

TEST_F(TerrainDrawing, SkipsTrianglesBehindTheCameraOrFacingAway) {
    REQUIRE_GL_CONTEXT();
    auto terrain = makeTerrain(flatHeightmap(16, 16));  // x and z in -9600 .. 8400
    terrain->setViewDistance(100000.0);

    terrain->draw(Body(Vector3(0, 2000, 0), Vector3(0, 1000, 0), Vector3(0, 0, 1)));
    EXPECT_GT(terrain->lastDrawnTriangles(), 0) << "from above, looking down";
    // From below the same ground only its back is in view.
    terrain->draw(Body(Vector3(0, -2000, 0), Vector3(0, -1000, 0), Vector3(0, 0, 1)));
    EXPECT_EQ(terrain->lastDrawnTriangles(), 0) << "from below, looking up";

    // Just outside the -z edge: looking into the grid draws, looking away draws nothing.
    terrain->draw(Body(Vector3(0, 500, -10000), Vector3(0, 500, -9999), Vector3(0, 1, 0)));
    EXPECT_GT(terrain->lastDrawnTriangles(), 0) << "looking at the grid";
    terrain->draw(Body(Vector3(0, 500, -10000), Vector3(0, 500, -10001), Vector3(0, 1, 0)));
    EXPECT_EQ(terrain->lastDrawnTriangles(), 0) << "grid behind";
}

TEST_F(TerrainDrawing, CameraFarOutsideDrawsNoGround) {
    REQUIRE_GL_CONTEXT();
    auto terrain = makeTerrain(flatHeightmap(16, 16));
    terrain->setViewDistance(5000.0);
    const Body camera(Vector3(40000, 500, 0), Vector3(39999, 500, 0), Vector3(0, 1, 0));
    look(camera);
    terrain->draw(camera);
    EXPECT_EQ(terrain->lastDrawnTriangles(), 0);
}

TEST_F(TerrainDrawing, SkyShowsFiveUnfoggedFacesAroundTheCamera) {
    REQUIRE_GL_CONTEXT();
    auto terrain = makeTerrain(flatHeightmap(4, 4));  // box: x, z in -4800 .. 4800, y 27600 .. 32400
    terrain->setViewDistance(1000.0);                // fog would swallow every face
    const Vector3 eye(0, 30000, 0);
    struct View {
        Vector3 direction{0, 0, 0}, up{0, 0, 0};
        int face = 0;  // -1: no floor, the clear colour shows
    };
    const View views[] = {{{0, 0, 1}, {0, 1, 0}, 1},  {{0, 0, -1}, {0, 1, 0}, 0}, {{-1, 0, 0}, {0, 1, 0}, 4},
                          {{1, 0, 0}, {0, 1, 0}, 5},  {{0, 1, 0}, {0, 0, 1}, 3},  {{0, -1, 0}, {0, 0, 1}, -1}};
    // Fog on with an end far nearer than the faces; no ground in range to draw.
    const Body away(Vector3(90000, 30000, 0), Vector3(90001, 30000, 0), Vector3(0, 1, 0));
    terrain->draw(away);
    ASSERT_EQ(terrain->lastDrawnTriangles(), 0);
    for (const View& view : views) {
        SCOPED_TRACE(testing::Message() << "face " << view.face);
        const Body camera(eye, eye + view.direction, view.up);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        look(camera, view.up);
        terrain->drawSky();
        EXPECT_TRUE(glIsEnabled(GL_FOG));
        const std::uint32_t expected =
            view.face < 0 ? 0u : rgb(SKY_COLOURS[view.face][0], SKY_COLOURS[view.face][1], SKY_COLOURS[view.face][2]);
        for (int x : {100, 512, 900})
            EXPECT_TRUE(near(GlContext::pixel(x, 384), expected, 2)) << std::hex << GlContext::pixel(x, 384);
    }
}

TEST_F(TerrainDrawing, MissingHeightmapDrawsNoGroundButStillItsSky) {
    REQUIRE_GL_CONTEXT();
    auto terrain = std::make_unique<Terrain>(Vector3(0, 0, 0), files.file("missing.bmp").c_str(),
                                             files.file("missing.bmp").c_str(), files.file("sky").c_str(), 10000.0,
                                             1200.0);
    const Body camera(Vector3(0, 30000, 0), Vector3(0, 30000, 1), Vector3(0, 1, 0));
    look(camera);
    terrain->draw(camera);
    terrain->drawSky();
    EXPECT_EQ(terrain->lastDrawnTriangles(), 0);
    EXPECT_TRUE(glIsEnabled(GL_FOG));
}

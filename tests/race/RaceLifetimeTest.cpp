#include "race/Race.h"

#include "MemoryInUse.h"

#include "app/services/Clock.h"
#include "app/DataFiles.h"
#include "app/services/KeySlots.h"
#include "app/services/KeyTable.h"
#include "app/MenuScene.h"
#include "app/RaceScene.h"
#include "app/Scene.h"
#include "assets/BmpBytes.h"
#include "assets/Image.h"
#include "assets/MdlFormat.h"
#include "assets/Model.h"
#include "entities/Entity.h"
#include "race/RaceSetup.h"
#include "support/GlContext.h"
#include "support/TempDir.h"
#include "terrain/Terrain.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {
void savePicture(const std::string& path, int width, int height, std::uint32_t colour) {
    Image picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture.setPixel(x, y, colour);
    ASSERT_NE(picture.save(path.c_str()), 0) << path;
}

void saveModel(const std::string& pathWithoutExtension) {
    MdlData mesh;
    mesh.box = Box(Vector3(-100, -50, -100), Vector3(100, 50, 100));
    for (int i = 0; i < 3; ++i) {
        MeshVertex v{};
        v.position[0] = i == 1 ? 100.0f : -100.0f;
        v.position[1] = i == 2 ? 50.0f : -50.0f;
        v.normal[2] = 1.0f;
        mesh.vertices.push_back(v);
    }
    MeshTriangle t{};
    for (int i = 0; i < 3; ++i) t.vertexIndices[i] = i + 1;
    mesh.triangles.push_back(t);
    ASSERT_TRUE(writeMdl((pathWithoutExtension + ".mdl").c_str(), mesh));
    savePicture(pathWithoutExtension + ".bmp", 4, 4, packColour(200, 60, 60, 0));
}

// A whole Data/ tree in miniature: every circuit, sky, grass, model and texture the set-up
// loads, each a few pixels, with two checkpoints and one bonus marker of each type.
void writeSmallData(const std::string& root) {
    ASSERT_EQ(mkdir((root + "/Data").c_str(), 0755), 0);
    for (const CircuitSpec& circuit : CIRCUITS) {
        Image heightmap(16, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) heightmap.setPixel(x, y, packColour(0, 0, 30, 0));
        heightmap.setPixel(3, 3, packColour(255, 0, 30, 0));
        heightmap.setPixel(12, 12, packColour(254, 0, 30, 0));
        heightmap.setPixel(5, 8, packColour(0, 255, 30, 0));
        heightmap.setPixel(6, 8, packColour(0, 254, 30, 0));
        heightmap.setPixel(7, 8, packColour(0, 253, 30, 0));
        ASSERT_NE(heightmap.save((root + "/" + circuit.heightmapPath).c_str()), 0);
        savePicture(root + "/" + circuit.grassPath, 8, 8, packColour(40, 160, 40, 0));
        const std::string sky = root + "/" + skyFacePath(circuit.skyPrefix, 0);
        ASSERT_EQ(mkdir(sky.substr(0, sky.rfind('/')).c_str(), 0755), 0);
        for (int face = 0; face < SKY_FACES; ++face)
            savePicture(root + "/" + skyFacePath(circuit.skyPrefix, face), 4, 4, packColour(90, 120, 220, 0));
    }
    for (const char* model : MODEL_FILES) saveModel(root + "/" + model);
}

class RaceLifetime : public testing::Test {
protected:
    void SetUp() override {
        clearKeys();
        setTestClock(100000);
        setCameraIndex(0);
        setChosenCircuit(0);
        ASSERT_NE(getcwd(previousFolder, sizeof previousFolder), nullptr);
        writeSmallData(data.path());
        ASSERT_EQ(chdir(data.path().c_str()), 0);
    }
    void TearDown() override {
        destroyCurrentRace();
        setScene(nullptr);
        clearKeys();
        setCameraIndex(0);
        setChosenCircuit(0);
        useRealClock();
        EXPECT_EQ(chdir(previousFolder), 0);
    }
    // What the loading screen hands over to: set-up, then race frames, then Escape.
    static void raceOnce(int frames) {
        setupScene();
        ASSERT_EQ(currentScene(), raceScene);
        for (int frame = 0; frame < frames; ++frame) {
            setTestClock(clockMs() + 16);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glLoadIdentity();
            raceScene();
            glFinish();  // as the buffer swap would: the driver keeps queued work until then
        }
        onKeyPress(KEY_ESCAPE, 0, 0);
        raceScene();
        glFinish();
        onKeyRelease(KEY_ESCAPE, 0, 0);
        ASSERT_EQ(currentRace(), nullptr);
    }
    TempDir data;
    char previousFolder[4096] = {};
};
}

TEST_F(RaceLifetime, SetUpBuildsTheChosenCircuitFromItsFiles) {
    REQUIRE_GL_CONTEXT();
    setChosenCircuit(1);
    setupScene();
    Race* race = currentRace();
    ASSERT_NE(race, nullptr);
    EXPECT_EQ(currentScene(), raceScene);
    EXPECT_EQ(currentTerrain(), race->terrain());
    EXPECT_EQ(race->entityCount(), 23);
    EXPECT_EQ(race->modelCount(), 5);
    EXPECT_EQ(race->modelAt(POD_MODEL)->triangleCount(), 1);
    EXPECT_EQ(race->terrain()->checkpointCount(), 2);
    // Circuit 1's spacing: the grid's neighbouring samples stand 1500 apart.
    EXPECT_DOUBLE_EQ(race->terrain()->vertex(0, 1).x - race->terrain()->vertex(0, 0).x, 1500.0);
    EXPECT_DOUBLE_EQ(race->terrain()->getViewDistance(), viewDistance());
}

TEST_F(RaceLifetime, TheSpaceHeldFromTheMenuFiresOnlyOncePressedAgain) {
    REQUIRE_GL_CONTEXT();
    onKeyPress(KEY_SPACE, 0, 0);  // the press that chose the circuit, still down
    endKeyFrame();
    setupScene();
    endKeyFrame();
    raceScene();
    EXPECT_EQ(currentRace()->entityAt(0)->missileReady(), 1);
    onKeyRelease(KEY_SPACE, 0, 0);
    onKeyPress(KEY_SPACE, 0, 0);
    raceScene();
    EXPECT_EQ(currentRace()->entityAt(0)->missileReady(), 0);
}

TEST_F(RaceLifetime, EscapeReleasesEveryTextureTheRaceMade) {
    REQUIRE_GL_CONTEXT();
    setupScene();
    std::vector<GLuint> textures;
    for (int i = 0; i < currentRace()->modelCount(); ++i)
        for (const MeshMaterial& material : currentRace()->modelAt(i)->meshMaterials()) textures.push_back(material.texture);
    ASSERT_EQ(textures.size(), 5u);
    for (GLuint texture : textures) EXPECT_TRUE(glIsTexture(texture));
    onKeyPress(KEY_ESCAPE, 0, 0);
    raceScene();
    EXPECT_EQ(currentRace(), nullptr);
    EXPECT_EQ(currentTerrain(), nullptr);
    EXPECT_EQ(currentScene(), menuScene);
    for (GLuint texture : textures) EXPECT_FALSE(glIsTexture(texture));
}

TEST_F(RaceLifetime, AHundredRacesThroughSetUpAndEscapeLeaveMemoryWhereItWas) {
    REQUIRE_GL_CONTEXT();
    // Every circuit once first: the driver's and libraries' first-use allocations.
    for (int circuit = 0; circuit < 3; ++circuit) {
        setChosenCircuit(circuit);
        raceOnce(3);
    }
    const MemoryInUse before = memoryInUse();
    for (int i = 0; i < 100; ++i) {
        setChosenCircuit(i % 3);
        raceOnce(3);
    }
    const MemoryInUse after = memoryInUse();
    if (!before.measurable) GTEST_SKIP() << "allocator statistics hidden (sanitizer build); LeakSanitizer checks instead";
    EXPECT_LE(after.bytes, before.bytes + 16384) << "races left memory behind";
}

TEST_F(RaceLifetime, SetUpWithLyingPicturesCostsNeitherMemoryNorTime) {
    REQUIRE_GL_CONTEXT();
    setChosenCircuit(1);
    setupScene();  // the driver's and libraries' first-use costs, on an honest circuit
    destroyCurrentRace();
    // 1 KB files whose headers claim a 16000 x 16000 heightmap and a 16384 x 16384 sky face.
    const auto lying = [](std::uint32_t side) { return bmpHeader(side, side) + std::string(1024 - 54, '\x40'); };
    data.write("Data/terrain1.bmp", lying(16000));
    data.write("Data/Sky1/sky2.bmp", lying(16384));
    setChosenCircuit(0);

    ASSERT_TRUE(restartPeakResident());
    const std::size_t peakBefore = peakResidentBytes();
    const auto start = std::chrono::steady_clock::now();
    setupScene();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    const std::size_t peakAfter = peakResidentBytes();

    ASSERT_NE(currentRace(), nullptr);
    EXPECT_EQ(currentRace()->terrain()->columns(), 0);  // as without a heightmap
    EXPECT_LT(peakAfter - peakBefore, std::size_t(100) << 20);
    // Generous: it guards against the minutes such files once took, not against milliseconds.
    EXPECT_LT(took.count(), 5.0);
}

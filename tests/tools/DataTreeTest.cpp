#include "GeneratedTree.h"

#include "app/DataFiles.h"
#include "assets/Image.h"
#include "assets/MdlFormat.h"
#include "assets/Model.h"
#include "assets/Wav.h"
#include "content/Circuits.h"
#include "content/GroundTexture.h"
#include "content/Sounds.h"
#include "race/RaceSetup.h"
#include "support/GlContext.h"
#include "terrain/Terrain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

namespace {

struct PictureSize {
    std::string name;
    int width = 0, height = 0;
};

// Within the tree, as the generator writes it.
std::string inTree(const std::string& gamePath) { return gamePath.substr(std::string(DATA_FOLDER).size()); }

std::vector<PictureSize> expectedPictures() {
    std::vector<PictureSize> pictures{{inTree(FONT_FILE), 308, 286}};
    for (const CircuitSpec& circuit : CIRCUITS) {
        pictures.push_back({inTree(circuit.previewPath), 320, 240});
        pictures.push_back({inTree(circuit.heightmapPath), 256, 256});
        pictures.push_back({inTree(circuit.grassPath), GROUND_PICTURE_SIZE, GROUND_PICTURE_SIZE});
        for (int face = 0; face < SKY_FACES; ++face) pictures.push_back({inTree(skyFacePath(circuit.skyPrefix, face)), 512, 512});
    }
    for (const char* model : MODEL_FILES) pictures.push_back({inTree(model) + ".bmp", 256, 256});
    return pictures;
}

MdlData readModel(const std::string& name) {
    std::istringstream text(fileBytes(generatedTree().file(name + ".mdl")));
    MdlData data;
    EXPECT_TRUE(parseMdl(text, data)) << name;
    return data;
}

Vector3 at(const float* f) { return Vector3(f[0], f[1], f[2]); }

}  // namespace

TEST(DataTree, WritesEveryFileTheGameReadsAndNothingElse) {
    const DataFolder& tree = generatedTree();
    std::size_t found = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(tree.path()))
        if (entry.is_regular_file() && entry.path().filename() != ".generated") ++found;
    EXPECT_EQ(found, dataTreeFiles().size());
    for (const std::string& name : dataTreeFiles()) EXPECT_TRUE(std::filesystem::exists(tree.file(name))) << name;
    EXPECT_EQ(dataTreeFiles().size(), 1u + CIRCUIT_COUNT * 9u + 10u + SOUND_COUNT);
}

TEST(DataTree, EveryPictureLoadsAtItsSize) {
    for (const PictureSize& p : expectedPictures()) {
        Image image(generatedTree().file(p.name).c_str());
        EXPECT_EQ(image.getWidth(), p.width) << p.name;
        EXPECT_EQ(image.getHeight(), p.height) << p.name;
    }
}

TEST(DataTree, EverySoundLoadsAndEachLoopRepeatsWithoutAClick) {
    for (int s = 0; s < SOUND_COUNT; ++s) {
        const SoundId id = static_cast<SoundId>(s);
        const Pcm sound = readWav(generatedTree().file(inTree(soundFile(id))).c_str());
        ASSERT_FALSE(sound.empty()) << soundFile(id);
        EXPECT_EQ(sound.rate, SOUND_RATE);
        // Loops join their end to their start as smoothly as any two neighbours inside;
        // one-shots end in silence.
        const int seam = std::abs(sound.samples.back() - sound.samples.front());
        if (isLoop(id)) {
            int largestStep = 0;
            for (std::size_t i = 1; i < sound.samples.size(); ++i)
                largestStep = std::max(largestStep, std::abs(sound.samples[i] - sound.samples[i - 1]));
            EXPECT_LE(seam, largestStep) << soundFile(id);
        } else {
            EXPECT_EQ(sound.samples.back(), 0) << soundFile(id);
        }
    }
}

TEST(DataTree, EveryModelIsASoundClosedMeshWithOutwardNormalsAndItsOwnBox) {
    for (const char* path : MODEL_FILES) {
        const std::string name = inTree(path);
        MdlData m = readModel(name);
        ASSERT_FALSE(m.triangles.empty()) << name;
        Vector3 low(1e9, 1e9, 1e9), high(-1e9, -1e9, -1e9);
        for (const MeshVertex& v : m.vertices) {
            low = componentMin(low, at(v.position));
            high = componentMax(high, at(v.position));
            EXPECT_NEAR(length(at(v.normal)), 1.0, 1e-3) << name;
        }
        // The file lists its box from minimum to maximum, so in game axes z comes reversed.
        EXPECT_NEAR(m.box.corner0.x, low.x, 1e-3) << name;
        EXPECT_NEAR(m.box.corner0.y, low.y, 1e-3) << name;
        EXPECT_NEAR(m.box.corner0.z, high.z, 1e-3) << name;
        EXPECT_NEAR(m.box.corner1.x, high.x, 1e-3) << name;
        EXPECT_NEAR(m.box.corner1.y, high.y, 1e-3) << name;
        EXPECT_NEAR(m.box.corner1.z, low.z, 1e-3) << name;
        double volume = 0;
        for (const MeshTriangle& t : m.triangles) {
            for (int k = 0; k < 3; ++k) {
                ASSERT_GE(t.vertexIndices[k], 1);
                ASSERT_LE(t.vertexIndices[k], static_cast<int>(m.vertices.size()));
            }
            Vector3 a = at(m.vertices[t.vertexIndices[0] - 1].position), b = at(m.vertices[t.vertexIndices[1] - 1].position),
                    c = at(m.vertices[t.vertexIndices[2] - 1].position);
            Vector3 face = cross(b - a, c - a);
            // Wound counter-clockwise from outside, like the normals say.
            for (int k = 0; k < 3; ++k) EXPECT_GT(dot(face, at(m.vertices[t.vertexIndices[k] - 1].normal)), 0) << name;
            volume += dot(a, cross(b, c)) / 6;
        }
        EXPECT_GT(volume, 0) << name << ": faces wound inward";
    }
}

TEST(DataTree, ModelsAreSizedForTheRace) {
    auto extent = [](const MdlData& m) {
        return Vector3(m.box.corner1.x - m.box.corner0.x, m.box.corner1.y - m.box.corner0.y, m.box.corner0.z - m.box.corner1.z);
    };
    Vector3 pod = extent(readModel("pod"));
    EXPECT_LT(pod.z, 600) << "pods start 600 apart sideways";
    EXPECT_GT(pod.x, pod.z) << "the pod faces +x";
    Vector3 missile = extent(readModel("missile"));
    EXPECT_GT(missile.x, 2 * missile.z);
    for (const char* name : {"bonus0", "bonus1", "bonus2"}) {
        EXPECT_LT(extent(readModel(name)).x, 800) << name;
    }
}

TEST(DataTree, ModelsLoadWithTheGamesOwnLoaderAndTexture) {
    REQUIRE_GL_CONTEXT();
    for (const char* path : MODEL_FILES) {
        Model model;
        ASSERT_TRUE(model.load(generatedTree().file(inTree(path)).c_str())) << path;
        EXPECT_GT(model.triangleCount(), 0);
        ASSERT_EQ(model.materialCount(), 1);
        EXPECT_NE(model.meshMaterials()[0].texture, 0u);
    }
}

TEST(DataTree, TwoRunsWriteTheSameBytes) {
    // The build's own run of the generator against one made now.
    if (!std::filesystem::exists(BUILD_DATA_STAMP)) GTEST_SKIP() << "no Data/ from the build here";
    for (const std::string& name : dataTreeFiles())
        EXPECT_TRUE(fileBytes("Data/" + name) == fileBytes(freshTree().file(name))) << name << " differs between runs";
}

TEST(DataTree, CircuitsComeOutTheSameEveryTime) {
    Circuit first = buildCircuit(1), second = buildCircuit(1);
    ASSERT_EQ(first.heightmap.getWidth(), second.heightmap.getWidth());
    for (int y = 0; y < first.heightmap.getHeight(); ++y)
        for (int x = 0; x < first.heightmap.getWidth(); ++x) ASSERT_EQ(first.heightmap.getPixel(x, y), second.heightmap.getPixel(x, y));
}

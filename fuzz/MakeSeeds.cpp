// Writes small well-formed BMP, .mdl and WAV files into <folder>/bmp, <folder>/mdl and
// <folder>/wav as fuzzing seeds.
#include "assets/Image.h"
#include "assets/MdlFormat.h"
#include "content/Sounds.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace {

void writePictures(const std::string& folder) {
    // Each padding case (width mod 4 = 0 .. 3), and a taller one.
    const int sizes[][2] = {{1, 1}, {2, 3}, {3, 2}, {4, 4}, {5, 7}};
    int n = 0;
    for (const auto& size : sizes) {
        Image picture(size[0], size[1]);
        for (int y = 0; y < size[1]; ++y)
            for (int x = 0; x < size[0]; ++x) picture.setPixel(x, y, packColour(x * 50, y * 30, (x + y) % 2 ? 0 : 255, 0));
        picture.save((folder + "/picture" + std::to_string(n++) + ".bmp").c_str());
    }
}

MeshVertex vertex(float x, float y, float z) {
    MeshVertex v{};
    v.position[0] = x, v.position[1] = y, v.position[2] = z;
    v.normal[1] = 1;
    return v;
}

void writeMeshes(const std::string& folder) {
    MdlData empty;
    writeMdl((folder + "/empty.mdl").c_str(), empty);

    MdlData quad;
    quad.box = Box(Vector3(-1, -0.5, -1), Vector3(1, 0.5, 1));
    quad.vertices = {vertex(-1, 0, -1), vertex(1, 0, -1), vertex(1, 0, 1), vertex(-1, 0, 1)};
    quad.triangles = {MeshTriangle{{0, 1, 1}, {0, 0, 1}, {1, 2, 3}}, MeshTriangle{{0, 1, 0}, {0, 1, 1}, {1, 3, 4}}};
    writeMdl((folder + "/quad.mdl").c_str(), quad);

    MdlData odd;
    odd.box = Box(Vector3(-1e-7, 1.0 / 3.0, -2.5e10), Vector3(0.1, 2.0 / 3.0, 1e-30));
    odd.vertices = {vertex(1.0f / 3.0f, -0.0f, 1e-38f), vertex(-3e38f, 0.125f, 7)};
    odd.triangles = {MeshTriangle{{-1.5f, 2e-9f, 0}, {1, 1e6f, -0.25f}, {2, 1, 2}}};
    writeMdl((folder + "/odd.mdl").c_str(), odd);
}

void writeSounds(const std::string& folder) {
    // Short enough for the fuzzer to run through many times a second.
    constexpr std::size_t KEPT = 600;
    for (int s = 0; s < SOUND_COUNT; ++s) {
        Pcm sound = synthesiseSound(static_cast<SoundId>(s));
        if (sound.samples.size() > KEPT) sound.samples.resize(KEPT);
        writeWav((folder + "/sound" + std::to_string(s) + ".wav").c_str(), sound);
    }
    // The generator writes 16-bit mono only: one 8-bit stereo file, with a list chunk before
    // its data, made by hand.
    const char stereo[] = "RIFF\x30\0\0\0WAVEfmt \x10\0\0\0\x01\0\x02\0\x11\x2B\0\0\x22\x56\0\0\x02\0\x08\0"
                          "LIST\x02\0\0\0abdata\x04\0\0\0\xFF\x01\xC0\xC0";
    std::ofstream(folder + "/stereo8.wav", std::ios::binary).write(stereo, sizeof stereo - 1);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string root = argc > 1 ? argv[1] : "corpus";
    std::filesystem::create_directories(root + "/bmp");
    std::filesystem::create_directories(root + "/mdl");
    std::filesystem::create_directories(root + "/wav");
    writePictures(root + "/bmp");
    writeMeshes(root + "/mdl");
    writeSounds(root + "/wav");
    return 0;
}

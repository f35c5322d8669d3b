#include "terrain/Terrain.h"

#include "Heightmaps.h"
#include "motion/Body.h"
#include "support/GlContext.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <chrono>
#include <cmath>
#include <cstdio>

// A measurement, not a check: run with --gtest_also_run_disabled_tests to print how long one
// draw of a full-size circuit takes at the race's view distance. Nothing is asserted on time.
TEST(TerrainDrawTime, DISABLED_FullCircuitAtRaceViewDistance) {
    REQUIRE_GL_CONTEXT();
    TempDir files;
    Image heightmap(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            setBlue(heightmap, x, y, static_cast<std::uint8_t>(100 + 90 * std::sin(x / 11.0) * std::cos(y / 17.0)));
    heightmap.save(files.file("height.bmp").c_str());
    solidPicture(files.file("grass.bmp"), 40, 160, 40, 256);
    for (int face = 0; face < 6; ++face) solidPicture(files.file("sky" + std::to_string(face) + ".bmp"), 90, 120, 200);
    Terrain terrain(Vector3(0, 0, 0), files.file("height.bmp").c_str(), files.file("grass.bmp").c_str(),
                    files.file("sky").c_str(), 10000.0, 1200.0);
    terrain.setViewDistance(70000.0);

    // Over the middle of the circuit, a little above the ground, looking ahead and slightly down.
    Vector3 normal;
    const Vector3 ground = terrain.groundAt(Vector3(0, 0, 0), normal);
    const Vector3 eye(0, ground.y + 2000, 0);
    const Body camera(eye, eye + Vector3(0, -0.1, 1), Vector3(0, 1, 0));

    using Clock = std::chrono::steady_clock;
    const int frames = 30;
    double sendMs = 0, frameMs = 0;
    for (int frame = -3; frame < frames; ++frame) {  // three frames to warm up
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        gluLookAt(eye.x, eye.y, eye.z, camera.lookPoint().x, camera.lookPoint().y, camera.lookPoint().z, 0, 1, 0);
        const auto start = Clock::now();
        terrain.draw(camera);
        const auto sent = Clock::now();
        glFinish();
        const auto done = Clock::now();
        if (frame < 0) continue;
        sendMs += std::chrono::duration<double, std::milli>(sent - start).count();
        frameMs += std::chrono::duration<double, std::milli>(done - start).count();
    }
    std::printf("terrain draw, 256 x 256 at view distance 70000: %d triangles, %.2f ms to send, %.2f ms with "
                "rendering finished (mean of %d frames, %s)\n",
                terrain.lastDrawnTriangles(), sendMs / frames, frameMs / frames, frames,
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
}

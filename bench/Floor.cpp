#include "Floor.h"

#include "terrain/Terrain.h"

#include <GL/gl.h>

#include <chrono>
#include <ctime>

std::vector<double> timeFloor(Terrain& terrain, const std::vector<CameraPose>& path) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> times;
    for (const CameraPose& pose : path) {
        const GroundArrays& ground = terrain.groundArrays(pose.body);
        glFinish();

        const auto start = Clock::now();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        pose.body.applyCamera(pose.tilted);
        terrain.prepareGroundState();
        ground.draw();
        glFinish();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return times;
}

namespace {
double threadCpuMs() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}
}

GroundWork timeGroundWork(Terrain& terrain, const std::vector<CameraPose>& path) {
    GroundWork work;
    for (const CameraPose& pose : path) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        pose.body.applyCamera(pose.tilted);
        glFinish();
        double start = threadCpuMs();
        terrain.visibleTriangles(pose.body);
        work.choosingMs.push_back(threadCpuMs() - start);
        start = threadCpuMs();
        terrain.draw(pose.body);
        work.groundMs.push_back(threadCpuMs() - start);
        glFinish();
    }
    return work;
}

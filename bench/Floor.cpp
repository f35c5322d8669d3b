#include "Floor.h"

#include "terrain/Terrain.h"

#include <GL/gl.h>

#include <chrono>
#include <unordered_map>
#include <ctime>

void GroundArrays::fill(const Terrain& terrain, const std::vector<int>& corners) {
    const int columns = terrain.columns(), rows = terrain.rows();
    vertices.clear();
    indices.clear();
    std::unordered_map<int, GLuint> placed;
    for (const int i : corners) {
        const auto found = placed.emplace(i, static_cast<GLuint>(placed.size()));
        indices.push_back(found.first->second);
        if (!found.second) continue;
        const int row = i / columns, col = i % columns;
        const Vector3& n = terrain.normal(row, col);
        const Vector3& v = terrain.vertex(row, col);
        vertices.insert(vertices.end(), {static_cast<float>(col) / columns, static_cast<float>(row) / rows,
                                         static_cast<float>(n.x), static_cast<float>(n.y), static_cast<float>(n.z),
                                         static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)});
    }
}

void GroundArrays::draw() const {
    if (indices.empty()) return;
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, vertices.data());
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, indices.data());
}

std::vector<double> timeFloor(Terrain& terrain, const std::vector<CameraPose>& path) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> times;
    GroundArrays ground;
    for (const CameraPose& pose : path) {
        ground.fill(terrain, terrain.visibleTriangles(pose.body));
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
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
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

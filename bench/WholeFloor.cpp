#include "WholeFloor.h"


#include "app/services/GlServices.h"
#include "assets/Model.h"
#include "entities/Entity.h"
#include "race/Race.h"
#include "terrain/Terrain.h"

#include <GL/gl.h>

#include <chrono>
#include <cstring>

namespace {
// The model's triangles as one vertex array (texture coordinate, normal, position per corner),
// compiled with its texture into a display list.
GLuint compileModel(const Model& model) {
    std::vector<GLfloat> data;
    const auto& vertices = model.meshVertices();
    for (const MeshGroup& group : model.meshGroups())
        for (const int t : group.triangleIndices) {
            const MeshTriangle& triangle = model.meshTriangles()[static_cast<std::size_t>(t)];
            for (int k = 0; k < 3; ++k) {
                const MeshVertex& v = vertices[static_cast<std::size_t>(triangle.vertexIndices[k] - 1)];
                data.insert(data.end(), {triangle.u[k], triangle.v[k], v.normal[0], v.normal[1], v.normal[2],
                                         v.position[0], v.position[1], v.position[2]});
            }
        }
    const auto& materials = model.meshMaterials();
    const GLuint texture = materials.empty() ? 0 : materials[0].texture;
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    if (texture != 0) {
        glBindTexture(GL_TEXTURE_2D, texture);
        glEnable(GL_TEXTURE_2D);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    if (!data.empty()) {
        glInterleavedArrays(GL_T2F_N3F_V3F, 0, data.data());
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(data.size() / 8));
    }
    glEndList();
    return list;
}

// Every glyph of every text as a quad: texture coordinate, colour, eye position per corner.
void fillTexts(const std::vector<TextRecord>& texts, std::vector<GLfloat>& data) {
    data.clear();
    constexpr float Z = -100.0f;
    for (const TextRecord& text : texts) {
        const int length = static_cast<int>(text.text.size());
        const float r = static_cast<float>(text.r), g = static_cast<float>(text.g), b = static_cast<float>(text.b);
        const float top = static_cast<float>(screenToEyeY(text.y1)), bottom = static_cast<float>(screenToEyeY(text.y2));
        for (int i = 0; i < length; ++i) {
            const GlyphSpan span = glyphSpan(text.x1, text.x2, length, i);
            const GlyphTexCoords tex = glyphTexCoords(static_cast<unsigned char>(text.text[static_cast<std::size_t>(i)]));
            const float left = static_cast<float>(screenToEyeX(span.x1)), right = static_cast<float>(screenToEyeX(span.x2));
            const float sL = static_cast<float>(tex.sLeft), sR = static_cast<float>(tex.sRight);
            const float tT = static_cast<float>(tex.tTop), tB = static_cast<float>(tex.tBottom);
            data.insert(data.end(), {sL, tT, r, g, b, left, top, Z, sL, tB, r, g, b, left, bottom, Z,
                                     sR, tB, r, g, b, right, bottom, Z, sR, tT, r, g, b, right, top, Z});
        }
    }
}

void drawTexts(const std::vector<GLfloat>& data) {
    if (data.empty()) return;
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, fontTexture());
    glPushMatrix();
    glLoadIdentity();
    constexpr GLsizei STRIDE = 8 * sizeof(GLfloat);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, STRIDE, data.data());
    glColorPointer(3, GL_FLOAT, STRIDE, data.data() + 2);
    glVertexPointer(3, GL_FLOAT, STRIDE, data.data() + 5);
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(data.size() / 8));
    glPopClientAttrib();
    glPopMatrix();
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}
}

FrameScene sceneBeforeFrame(const Race& race) {
    FrameScene scene{CameraPose{race.camera(), race.cameraDistance() == 0.0}, race.lighting() != 0, {}, {}};
    for (int i = 0; i < race.entityCount(); ++i) {
        if (!race.isDrawn(i)) continue;
        const Entity& entity = *race.entityAt(i);
        for (int m = 0; m < race.modelCount(); ++m)
            if (race.modelAt(m) == entity.model()) scene.entities.push_back(PlacedEntity{m, *entity.body()});
    }
    return scene;
}

std::vector<double> timeWholeFloor(Race& race, const std::vector<FrameScene>& scenes) {
    using Clock = std::chrono::steady_clock;
    Terrain& terrain = *race.terrain();
    std::vector<GLuint> models;
    for (int m = 0; m < race.modelCount(); ++m) models.push_back(compileModel(*race.modelAt(m)));
    const GLuint sky = glGenLists(1);
    glNewList(sky, GL_COMPILE);
    terrain.drawSky();
    glEndList();

    std::vector<double> times;
    std::vector<GLfloat> texts;
    for (const FrameScene& scene : scenes) {
        const GroundArrays& ground = terrain.groundArrays(scene.pose.body);
        fillTexts(scene.texts, texts);
        glFinish();

        const auto start = Clock::now();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        scene.pose.body.applyCamera(scene.pose.tilted);
        if (scene.lit) lightsOn();
        for (const PlacedEntity& entity : scene.entities) {
            glPushMatrix();
            entity.body.applyTransform();
            glCallList(models[static_cast<std::size_t>(entity.model)]);
            glPopMatrix();
        }
        if (scene.lit) lightsOff();
        terrain.prepareGroundState();
        ground.draw();
        glCallList(sky);
        drawTexts(texts);
        glFinish();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    for (const GLuint list : models) glDeleteLists(list, 1);
    glDeleteLists(sky, 1);
    return times;
}

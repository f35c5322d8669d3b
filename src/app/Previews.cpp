#include "app/Previews.h"

#include "app/services/Text.h"
#include "assets/Texture.h"

namespace {
GLuint previews[CIRCUIT_COUNT] = {};

bool isCircuit(int circuit) { return circuit >= 0 && circuit < CIRCUIT_COUNT; }
}

void createPreviews() {
    for (int i = 0; i < CIRCUIT_COUNT; ++i) previews[i] = createTexture(CIRCUITS[i].previewPath, 255, 255);
}

GLuint previewTexture(int circuit) { return isCircuit(circuit) ? previews[circuit] : 0; }

void setPreviewTexture(int circuit, GLuint texture) {
    if (isCircuit(circuit)) previews[circuit] = texture;
}

void drawPicture(GLuint texture, double xFrom, double yFrom, double xTo, double yTo) {
    const float x1 = static_cast<float>(xFrom);
    const float y1 = static_cast<float>(yFrom);
    const float x2 = static_cast<float>(xTo);
    const float y2 = static_cast<float>(yTo);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(x1, y1, OVERLAY_PLANE_Z);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(x1, y2, OVERLAY_PLANE_Z);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(x2, y2, OVERLAY_PLANE_Z);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(x2, y1, OVERLAY_PLANE_Z);
    glEnd();
}

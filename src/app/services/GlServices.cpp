#include "app/services/GlServices.h"

#include <GL/gl.h>

void lightsOn() {
    const GLfloat ambient[] = {0.5f, 0.5f, 0.5f, 1.0f};
    const GLfloat diffuse[] = {0.8f, 0.8f, 0.8f, 1.0f};
    const GLfloat position[] = {0.0f, 45000.0f, 0.0f, 1.0f};
    const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 100.0f);
}

void lightsOff() {
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
}

void sendNormal(const Vector3& v) {
    glNormal3f(static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z));
}

void sendVertex(const Vector3& v) {
    glVertex3f(static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z));
}

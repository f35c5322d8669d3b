#include "geometry/Frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

Vector3 Frame::forward() const {
    Vector3 f = lookPoint - position;
    f /= length(f);
    return f;
}

Vector3 Frame::left() const {
    Vector3 l = cross(up, forward());
    l /= length(l);
    return l;
}

Vector3 Frame::right() const {
    Vector3 r = cross(forward(), up);
    r /= length(r);
    return r;
}

// The rotations take f and l from the frame before it turns and keep the look distance.
void Frame::yaw(double angle) {
    const double distance = length(lookPoint - position);
    const Vector3 f = forward();
    const Vector3 l = left();
    lookPoint = position + (f * std::cos(angle) + l * std::sin(angle)) * distance;
}

void Frame::pitch(double angle) {
    const double distance = length(lookPoint - position);
    const Vector3 f = forward();
    const Vector3 l = left();
    const Vector3 turned = f * std::cos(angle) + up * std::sin(angle);
    up = cross(turned, l);
    lookPoint = position + turned * distance;
}

void Frame::roll(double angle) { up = up * std::cos(angle) + left() * std::sin(angle); }

void Frame::moveForward(double distance) {
    const Vector3 step = forward() * distance;
    position += step;
    lookPoint += step;
}

void Frame::moveRight(double distance) {
    const Vector3 step = left() * -distance;
    position += step;
    lookPoint += step;
}

void Frame::moveUp(double distance) {
    const Vector3 step = up * distance;
    position += step;
    lookPoint += step;
}

void Frame::placementMatrix(double matrix[16]) const {
    const Vector3 f = forward();
    const Vector3 r = right();
    // up goes in as stored: the rotations keep it unit length.
    const double columns[16] = {f.x, f.y, f.z, 0.0,  up.x, up.y, up.z, 0.0,
                                r.x, r.y, r.z, 0.0,  position.x, position.y, position.z, 1.0};
    for (int i = 0; i < 16; ++i) matrix[i] = columns[i];
}

void Frame::lookAt() const {
    gluLookAt(position.x, position.y, position.z, lookPoint.x, lookPoint.y, lookPoint.z, up.x, up.y, up.z);
}

void Frame::multMatrix() const {
    double matrix[16];
    placementMatrix(matrix);
    glMatrixMode(GL_MODELVIEW);
    glMultMatrixd(matrix);
}

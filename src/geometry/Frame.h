#pragma once

#include "geometry/Vector3.h"

// Placement and orientation of everything in the race: a position, a point it faces and an
// up vector. Turned and moved by vector arithmetic; becomes an OpenGL transform only when drawn.
class Frame {
public:
    Vector3 position{0, 0, 0};
    Vector3 lookPoint{0, 0, 0};  // only the direction from position carries meaning
    Vector3 up{0, 0, 0};

    Frame() = default;
    Frame(const Vector3& position, const Vector3& lookPoint, const Vector3& up)
        : position(position), lookPoint(lookPoint), up(up) {}

    // Unit directions derived on demand: forward, left = up x forward, right = -left.
    Vector3 forward() const;
    Vector3 left() const;
    Vector3 right() const;

    // Angles in radians. Positive yaw turns left, positive pitch raises the nose,
    // positive roll tips up towards the left. The look distance is kept.
    void yaw(double angle);
    void pitch(double angle);
    void roll(double angle);

    // Both position and lookPoint move: along forward, to the right, along the frame's own up.
    void moveForward(double distance);
    void moveRight(double distance);
    void moveUp(double distance);

    // The placement matrix in OpenGL's column order: model +x along forward, +y along up,
    // +z to the right, origin at position.
    void placementMatrix(double matrix[16]) const;

    // gluLookAt with the frame's nine values.
    void lookAt() const;
    // Multiplies the model-view matrix by the placement matrix.
    void multMatrix() const;
};

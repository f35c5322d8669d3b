#pragma once

#include "geometry/Vector3.h"

// Light 0: a white point light 45000 above the world origin, placed through the current
// model-view matrix (call it after the camera), with colour material on.
void lightsOn();
// Lighting and light 0 off; colour material stays enabled.
void lightsOff();

// A Vector3 to glNormal3f / glVertex3f, each component as float.
void sendNormal(const Vector3& v);
void sendVertex(const Vector3& v);

#pragma once

#include "race/CircuitTable.h"

#include <GL/gl.h>

// The three circuit pictures of the menu, made once at start-up and kept for the process.
void createPreviews();
GLuint previewTexture(int circuit);
// Lets drawing tests supply their own pictures.
void setPreviewTexture(int circuit, GLuint texture);

// One textured quad on the overlay plane (OVERLAY_PLANE_Z), corners in eye units, the whole
// picture upright; drawn in the colour in effect.
void drawPicture(GLuint texture, double xFrom, double yFrom, double xTo, double yTo);

#pragma once

#include <GL/gl.h>

// A BMP file as a mipmapped texture with alpha from a colour key (pure black gets
// alphaIfBlack, every other pixel alphaIfColoured). Leaves it bound with modulate.
// A missing file still gives a (non-zero, imageless) name. The caller owns the name.
GLuint createTexture(const char* fileName, unsigned char alphaIfBlack, unsigned char alphaIfColoured);

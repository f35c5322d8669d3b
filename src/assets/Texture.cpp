#include "assets/Texture.h"

#include "assets/Image.h"

#include <GL/glu.h>

GLuint createTexture(const char* fileName, unsigned char alphaIfBlack, unsigned char alphaIfColoured) {
    GLuint name = 0;
    glGenTextures(1, &name);

    Image picture(fileName);
    picture.setAlpha(alphaIfBlack, alphaIfColoured);

    glBindTexture(GL_TEXTURE_2D, name);
    // An empty picture makes GLU fail; the name stays, without an image, and draws untextured.
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, picture.getWidth(), picture.getHeight(), GL_RGBA, GL_UNSIGNED_BYTE,
                      picture.getPixels());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    return name;
}

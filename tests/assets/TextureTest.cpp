#include "assets/Texture.h"

#include "BmpBytes.h"
#include "support/GlContext.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Level {
    GLint width = 0, height = 0;
    std::vector<unsigned char> rgba;
};

Level topLevel(GLuint name) {
    Level level;
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &level.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &level.height);
    level.rgba.resize(static_cast<std::size_t>(level.width) * level.height * 4);
    if (!level.rgba.empty()) glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, level.rgba.data());
    return level;
}

bool isPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

}  // namespace

TEST(Texture, AlphaComesFromTheBlackKey) {
    REQUIRE_GL_CONTEXT();
    TempDir dir;
    std::string black = bmpHeader(4, 4) + std::string(48, '\0');
    std::string coloured = bmpHeader(4, 4) + std::string(48, '\x40');
    GLuint blackName = createTexture(dir.write("black.bmp", black).c_str(), 255, 200);
    GLuint colouredName = createTexture(dir.write("coloured.bmp", coloured).c_str(), 255, 200);

    Level blackLevel = topLevel(blackName);
    Level colouredLevel = topLevel(colouredName);
    ASSERT_EQ(blackLevel.width, 4);
    ASSERT_EQ(colouredLevel.width, 4);
    for (std::size_t i = 3; i < blackLevel.rgba.size(); i += 4) {
        EXPECT_EQ(blackLevel.rgba[i], 255);
        EXPECT_EQ(colouredLevel.rgba[i], 200);
        EXPECT_EQ(colouredLevel.rgba[i - 1], 0x40);
    }
    glDeleteTextures(1, &blackName);
    glDeleteTextures(1, &colouredName);
}

TEST(Texture, BuildsMipmapsWithTheGameFiltersAndModulate) {
    REQUIRE_GL_CONTEXT();
    TempDir dir;
    GLuint name = createTexture(dir.write("odd.bmp", bmpGradient(100, 60)).c_str(), 255, 255);
    EXPECT_NE(name, 0u);

    GLint bound = 0, minFilter = 0, magFilter = 0;
    GLfloat envMode = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), name);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    glGetTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(magFilter, GL_LINEAR);
    EXPECT_EQ(static_cast<GLenum>(envMode), static_cast<GLenum>(GL_MODULATE));

    Level level = topLevel(name);
    EXPECT_TRUE(isPowerOfTwo(level.width)) << level.width;
    EXPECT_TRUE(isPowerOfTwo(level.height)) << level.height;
    GLint smallest = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 6, GL_TEXTURE_WIDTH, &smallest);
    EXPECT_GT(smallest, 0);  // the chain goes down to the small levels
    glDeleteTextures(1, &name);
}

TEST(Texture, TwoCallsGiveTwoNamesWithTheSameContents) {
    REQUIRE_GL_CONTEXT();
    TempDir dir;
    const std::string path = dir.write("same.bmp", bmpGradient(8, 8));
    GLuint first = createTexture(path.c_str(), 255, 255);
    GLuint second = createTexture(path.c_str(), 255, 255);
    EXPECT_NE(first, second);
    EXPECT_EQ(topLevel(first).rgba, topLevel(second).rgba);
    glDeleteTextures(1, &first);
    glDeleteTextures(1, &second);
}

TEST(Texture, MissingFileStillGivesAName) {
    REQUIRE_GL_CONTEXT();
    TempDir dir;
    GLuint name = createTexture(dir.file("none.bmp").c_str(), 255, 255);
    EXPECT_NE(name, 0u);
    EXPECT_EQ(topLevel(name).width, 0);
    while (glGetError() != GL_NO_ERROR) {
    }
    glDeleteTextures(1, &name);
}

#include "support/GlContext.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

// The helper every drawing test stands on: a context that draws and reads back.
TEST(OffscreenContext, ImmediateModeDrawsAndReadsBack) {
    REQUIRE_GL_CONTEXT();
    EXPECT_NE(std::string(reinterpret_cast<const char*>(glGetString(GL_RENDERER))), "");
    glDisable(GL_TEXTURE_2D);
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    glVertex3f(-10, -10, -100);
    glVertex3f(10, -10, -100);
    glVertex3f(10, 10, -100);
    glVertex3f(-10, 10, -100);
    glEnd();
    EXPECT_EQ(GlContext::pixel(512, 384) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(GlContext::pixel(5, 5) & 0xFFFFFF, 0u);
}

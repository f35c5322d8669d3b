#pragma once

#include "offscreen/GlContext.h"

// Makes the context current and resets its state; fails the test when EGL cannot give one.
#define REQUIRE_GL_CONTEXT()                                            \
    do {                                                                \
        if (!GlContext::makeCurrent()) GTEST_FAIL() << "no offscreen OpenGL context"; \
        GlContext::resetState();                                        \
    } while (0)

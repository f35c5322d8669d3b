#include "offscreen/GlContext.h"

#include "app/Window.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

namespace {
bool tried = false;
bool ready = false;

bool create() {
    // Mesa picks its software renderer without a GPU; say so to keep runs identical.
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) return false;
    EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return false;
    if (!eglBindAPI(EGL_OPENGL_API)) return false;

    const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                       EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
                                       EGL_DEPTH_SIZE, 24, EGL_NONE};
    EGLConfig config;
    EGLint count = 0;
    if (!eglChooseConfig(display, configAttributes, &config, 1, &count) || count == 0) return false;

    const EGLint surfaceAttributes[] = {EGL_WIDTH, GlContext::WIDTH, EGL_HEIGHT, GlContext::HEIGHT, EGL_NONE};
    EGLSurface surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
    if (surface == EGL_NO_SURFACE) return false;

    const EGLint contextAttributes[] = {EGL_CONTEXT_MAJOR_VERSION, 4, EGL_CONTEXT_MINOR_VERSION, 5,
                                        EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT) context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT) return false;
    return eglMakeCurrent(display, surface, surface, context) == EGL_TRUE;
}
}

bool GlContext::makeCurrent() {
    if (!tried) {
        tried = true;
        ready = create();
        if (!ready) std::fprintf(stderr, "offscreen OpenGL context unavailable (EGL error 0x%x)\n", eglGetError());
    }
    return ready;
}

void GlContext::resetState() {
    glViewport(0, 0, WIDTH, HEIGHT);
    setProjection();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    const GLenum off[] = {GL_BLEND, GL_FOG, GL_LIGHTING, GL_LIGHT0, GL_COLOR_MATERIAL, GL_CULL_FACE, GL_ALPHA_TEST};
    for (GLenum capability : off) glDisable(capability);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GlContext::setGameState() {
    resetState();
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

std::vector<std::uint8_t> GlContext::readPixels() {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(WIDTH) * HEIGHT * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, WIDTH, HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

std::uint32_t GlContext::pixel(int x, int y) {
    std::uint8_t rgba[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return rgba[0] | (rgba[1] << 8) | (rgba[2] << 16) | (static_cast<std::uint32_t>(rgba[3]) << 24);
}

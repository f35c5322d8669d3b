#pragma once

#include <cstdint>
#include <vector>

// A real offscreen OpenGL context without any window or X server: EGL on Mesa's surfaceless
// platform, a 1024x768 pbuffer, llvmpipe's compatibility profile (immediate mode, GLU,
// glReadPixels). Made current once per process and kept. The drawing tests, the benchmark
// and the soak run the game's drawing in it.
class GlContext {
public:
    static constexpr int WIDTH = 1024;
    static constexpr int HEIGHT = 768;

    // Makes the shared context current (creating it on first use); false if EGL fails.
    static bool makeCurrent();

    // Resets the state a test may rely on: viewport, the game's projection, identity
    // model-view, black clear colour, depth test and 2-D texturing on, everything else off.
    static void resetState();
    // resetState and the rest of the fixed state the game's window sets up (smooth shading,
    // nicest perspective, filled polygons): for running the game's own frames.
    static void setGameState();

    // The colour buffer as RGBA bytes, row 0 at the bottom.
    static std::vector<std::uint8_t> readPixels();
    // One pixel as 0xAABBGGRR (R in the low byte), (x, y) from the bottom left.
    static std::uint32_t pixel(int x, int y);
};

#pragma once

#include <string>

// Start-up settings of the window, passed by value to initWindow.
struct WindowSettings {
    int argc;
    char** argv;
    int width;
    int height;
    int depth;       // colour bits per pixel
    int gameMode;    // non-zero: full-screen game mode; 0: ordinary window
    const char* title;
    double nearPlane;
    double farPlane;
};

// The game's own settings: this game mode (1024x768:32), "Brenvask", these near and far planes.
constexpr int GAME_WIDTH = 1024;
constexpr int GAME_HEIGHT = 768;
constexpr int GAME_DEPTH = 32;
// The nearest and farthest the projection shows, in world units.
constexpr double NEAR_PLANE = 50.0;
constexpr double FAR_PLANE = 6000000.0;

WindowSettings defaultWindowSettings(int argc, char** argv);

// "1024x768": the game's screen size as the usage text gives it.
std::string gameSizeText();

// "%dx%d:%d" of width, height and depth.
std::string gameModeString(const WindowSettings& settings);

// Opens the window (game mode when asked and possible, else an ordinary window) and sets
// the fixed OpenGL state and callbacks.
void initWindow(WindowSettings settings);

// Display and idle callback: clear, identity model-view, the current scene, the end of the
// frame for the key table, swap.
void displayFrame();

// Viewport follows the window; the projection stays 45 degrees at 4/3.
void reshape(int width, int height);

// Sets the 45-degree, 4/3 projection with the stored planes (also used by offscreen tests).
void setProjection();

// Never returns; the process ends through quit or when the window is closed.
void runMainLoop();

// Calls cleanup if given, leaves game mode if it was entered, exits with status 0.
[[noreturn]] void quit(void (*cleanup)() = nullptr);

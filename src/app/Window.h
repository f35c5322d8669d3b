#pragma once

#include <string>

// Start-up settings of the window, passed by value to initWindow.
struct WindowSettings {
    int argc = 0;
    char** argv = nullptr;
    int width = 0;
    int height = 0;
    int depth = 0;       // colour bits per pixel
    int gameMode = 0;    // non-zero: full-screen game mode; 0: ordinary window
    const char* title = nullptr;
    double nearPlane = 0;
    double farPlane = 0;
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

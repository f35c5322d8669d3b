#include "app/Window.h"

#include "app/services/KeyTable.h"
#include "app/Scene.h"
#include "app/WindowClass.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>

namespace {
double nearPlane = NEAR_PLANE;
double farPlane = FAR_PLANE;
bool inGameMode = false;

constexpr double FIELD_OF_VIEW = 45.0;
constexpr double ASPECT = 1.3333333333333333;

// Game mode is often impossible (Wayland, Xvfb, remote displays), and freeglut then leaves
// no window behind. Try it only when freeglut says it can, and check that it took.
bool enterGameMode(const std::string& mode) {
    glutGameModeString(mode.c_str());
    if (!glutGameModeGet(GLUT_GAME_MODE_POSSIBLE)) return false;
    glutEnterGameMode();
    return glutGameModeGet(GLUT_GAME_MODE_ACTIVE) && glutGetWindow() != 0;
}

// A character key's press and release come with the modifiers held at that event, which the
// key table needs to match a release to its press.
void characterPressed(unsigned char key, int x, int y) {
    setKeyModifiers(glutGetModifiers());
    onKeyPress(key, x, y);
}
void characterReleased(unsigned char key, int x, int y) {
    setKeyModifiers(glutGetModifiers());
    onKeyRelease(key, x, y);
}
}

WindowSettings defaultWindowSettings(int argc, char** argv) {
    return WindowSettings{argc, argv, GAME_WIDTH, GAME_HEIGHT, GAME_DEPTH, 1, "Brenvask", NEAR_PLANE, FAR_PLANE};
}

std::string gameSizeText() { return std::to_string(GAME_WIDTH) + "x" + std::to_string(GAME_HEIGHT); }

std::string gameModeString(const WindowSettings& settings) {
    char text[64];
    std::snprintf(text, sizeof text, "%dx%d:%d", settings.width, settings.height, settings.depth);
    return text;
}

void initWindow(WindowSettings settings) {
    nearPlane = settings.nearPlane;
    farPlane = settings.farPlane;
    const std::string mode = gameModeString(settings);

    glutInit(&settings.argc, settings.argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH);
    // Closing the window ends the main loop; the process then exits normally.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_EXIT);

    inGameMode = settings.gameMode != 0 && enterGameMode(mode);
    if (!inGameMode) {
        glutInitWindowSize(settings.width, settings.height);
        glutCreateWindow(settings.title);
    }
    nameWindowForDesktop("brenvask");

    clearKeys();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    // Held keys must stay held: auto-repeat would otherwise send release/press pairs.
    glutIgnoreKeyRepeat(1);
    glutDisplayFunc(displayFrame);
    glutKeyboardFunc(characterPressed);
    glutKeyboardUpFunc(characterReleased);
    glutSpecialFunc(onSpecialPress);
    glutSpecialUpFunc(onSpecialRelease);
    glutReshapeFunc(reshape);
    glutIdleFunc(displayFrame);

    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glutSetCursor(GLUT_CURSOR_NONE);
}

void displayFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (SceneFunction scene = currentScene()) scene();
    // Key callbacks run only between frames, so the scene has seen every tap by now.
    endKeyFrame();
    glutSwapBuffers();
}

void setProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(FIELD_OF_VIEW, ASPECT, nearPlane, farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void reshape(int width, int height) {
    glViewport(0, 0, width, height);
    setProjection();
}

void runMainLoop() { glutMainLoop(); }

void quit(void (*cleanup)()) {
    if (cleanup) cleanup();
    if (inGameMode) glutLeaveGameMode();
    std::fflush(stdout);
    std::exit(0);
}

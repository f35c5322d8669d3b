#pragma once

// A scene draws and runs one frame; scenes install one another.
using SceneFunction = void (*)();

// Effective from the next frame: the calling scene always runs to its end first.
void setScene(SceneFunction scene);
SceneFunction currentScene();

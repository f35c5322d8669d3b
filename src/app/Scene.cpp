#include "app/Scene.h"

namespace {
SceneFunction scene = nullptr;
}

void setScene(SceneFunction next) { scene = next; }
SceneFunction currentScene() { return scene; }

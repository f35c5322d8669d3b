#include "terrain/Terrain.h"

namespace {
Terrain* current = nullptr;
}

Terrain* currentTerrain() { return current; }
void setCurrentTerrain(Terrain* terrain) { current = terrain; }

#pragma once

#include "race/CircuitTable.h"

#include <memory>

class Race;

// The race's models in model-index order, without extension: each is path.mdl, painted with
// path.bmp.
constexpr int MODEL_COUNT = 5;
extern const char* const MODEL_FILES[MODEL_COUNT];

// Model indices, in the order of the model files.
constexpr int POD_MODEL = 0;
constexpr int MISSILE_MODEL = 1;
constexpr int FIRST_BONUS_MODEL = 2;

constexpr int AI_POD_COUNT = 10;
// The player and the first eight AI pods carry a missile.
constexpr int MISSILE_COUNT = 9;

// The models, the player, ten AI pods spread sideways, nine missiles and one bonus per bonus
// marker of a race whose terrain is in place (no OpenGL needed when the race's terrain and
// the models were made without it); then the view, the view distance and the collision set.
void populateRace(Race& race);

// Loads a circuit and its models, builds the race and makes it the current race. Draws
// nothing (the benchmark sets up generated maps with it too).
void setUpRace(const CircuitSpec& circuit);

// The bonus kind for a marker type, or -1 for a type that has no bonus (only 253, 254 and
// 255 have one).
int bonusKindForMarker(int markerValue);

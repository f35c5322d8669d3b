#pragma once

#include <memory>

class Race;

// One row of the circuit table: the files of a circuit and the size of its terrain.
struct CircuitSpec {
    const char* heightmapPath;
    const char* grassPath;
    const char* skyPrefix;
    double heightScale;  // height of a sample whose blue byte is 255
    double gridSpacing;  // distance between neighbouring samples
};

constexpr int CIRCUIT_TABLE_SIZE = 3;
extern const CircuitSpec CIRCUITS[CIRCUIT_TABLE_SIZE];

// The model files, in model-index order.
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

// Loads the chosen circuit and its models, builds the race, makes it the current race and
// installs the race scene. Draws nothing.
void setupScene();
// The same for any circuit's files (the benchmark sets up generated maps with it).
void setUpRace(const CircuitSpec& circuit);

// The bonus kind for a marker type, or -1 for a type that has no bonus (only 253, 254 and
// 255 have one).
int bonusKindForMarker(int markerValue);

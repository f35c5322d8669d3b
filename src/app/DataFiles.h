#pragma once

#include <string>
#include <vector>

// Every file the game reads is opened by a path relative to the working directory, under
// this folder (the circuits' files are in the circuit table).
constexpr const char* DATA_FOLDER = "Data/";
constexpr const char* FONT_FILE = "Data/font2.bmp";

// The race's models in model-index order, without extension: each is path.mdl, painted with
// path.bmp.
constexpr int MODEL_COUNT = 5;
extern const char* const MODEL_FILES[MODEL_COUNT];

constexpr int SKY_FACES = 6;
// Sky face 0 .. 5 of a circuit's sky prefix.
std::string skyFacePath(const char* skyPrefix, int face);

// The files the menu needs before any race: the font and the circuits' previews.
std::vector<std::string> menuFiles();

// Every file of the Data/ tree, as the game opens it: the font, each circuit's heightmap,
// grass, preview and sky faces, each model's mesh and paint.
std::vector<std::string> dataFiles();

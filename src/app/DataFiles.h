#pragma once

#include <string>
#include <vector>

// Every file the game reads is opened by a path relative to the working directory, under
// this folder (the circuits' files are in the circuit table).
constexpr const char* DATA_FOLDER = "Data/";
constexpr const char* FONT_FILE = "Data/font2.bmp";

// The files the menu needs before any race: the font and the circuits' previews.
std::vector<std::string> menuFiles();

// Every file of the Data/ tree, as the game opens it: the font, each circuit's heightmap,
// grass, preview and sky faces, each model's mesh and paint, and the sounds.
std::vector<std::string> dataFiles();

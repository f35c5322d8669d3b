#pragma once

#include "assets/Image.h"

#include <string>

// A square heightmap of `size` samples a side for the scale runs: rolling hills, twelve
// checkpoints round a ring about the middle and one bonus of each kind on it.
Image generatedMap(int size);
// The same, written as a BMP into `folder`; returns its path.
std::string writeGeneratedMap(const std::string& folder, int size);

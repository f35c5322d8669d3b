#pragma once

#include "content/Icon.h"

#include <string>

// Writes an 8-bit RGBA PNG (no time stamp: the same bytes on every run). False on failure,
// with nothing useful left at the path.
bool writePng(const std::string& path, const RgbaPicture& picture);

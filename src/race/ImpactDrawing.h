#pragma once

#include "entities/FrameRecord.h"

#include <array>
#include <cstdint>

class Body;

// A burst of light where each recent missile strike happened, growing and fading over its
// first few hundred milliseconds, seen from the camera. The race draws its record's impacts
// with it; the soak draws one early so that the renderer's caches are filled in its first round.
using ImpactList = std::array<Impact, FrameRecord::IMPACTS_KEPT>;
void drawImpactBursts(const ImpactList& impacts, std::uint32_t now, const Body& camera);

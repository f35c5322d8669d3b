#pragma once

#include "assets/Wav.h"
#include "sound/SoundFiles.h"

// The rate every generated sound is written at: plenty for engines, chimes and noise, and it
// keeps Data/ small.
constexpr int SOUND_RATE = 22050;

// Synthesises one of the game's sounds from oscillators, noise and envelopes. Deterministic:
// the same samples on every run. Loops hold a whole number of periods of every partial, so
// they repeat without a click.
Pcm synthesiseSound(SoundId id);

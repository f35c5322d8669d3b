#include "sound/SoundFiles.h"

const char* const SOUND_FILES[SOUND_COUNT] = {
    "Data/engine.wav",     "Data/boost.wav",     "Data/whoosh.wav",     "Data/launch.wav", "Data/hit.wav",
    "Data/reload.wav",     "Data/money.wav",     "Data/boostpickup.wav", "Data/checkpoint.wav",
    "Data/lap.wav",        "Data/thump.wav",     "Data/click.wav",      "Data/start.wav"};

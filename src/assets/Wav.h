#pragma once

#include <cstdint>
#include <istream>
#include <vector>

// A sound as the game plays it: mono 16-bit samples at a rate.
struct Pcm {
    int rate = 0;
    std::vector<std::int16_t> samples;
    bool empty() const { return samples.empty(); }
};

// The rates a sound file may have; the common ones all lie within.
constexpr int WAV_MIN_RATE = 4000;
constexpr int WAV_MAX_RATE = 192000;

// Reads a PCM WAV file: 8- or 16-bit, mono or stereo (mixed down to mono), any rate within
// the bounds above. Files are untrusted: a missing file, anything else than such a WAV, or
// a damaged one (a chunk or the sound data running past the end of the file) gives the empty
// sound, and no claimed size costs more than the file holds. Opened through the regular-file
// guard, like the pictures and the models.
Pcm readWav(const char* fileName);
Pcm readWav(std::istream& wav);

// Writes 16-bit mono PCM WAV; false when the file cannot be written or the sound is empty.
bool writeWav(const char* fileName, const Pcm& sound);

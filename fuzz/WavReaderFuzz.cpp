// Any bytes as a WAV file: the reader must neither fault nor keep a sound that breaks its
// invariants, and a sound it keeps never holds more samples than its input has bytes.
#include "assets/Wav.h"

#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const Pcm sound = readWav(in);
    if (!sound.empty() && (sound.rate < WAV_MIN_RATE || sound.rate > WAV_MAX_RATE)) __builtin_trap();
    if (sound.samples.size() > size) __builtin_trap();
    return 0;
}

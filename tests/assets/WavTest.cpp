#include "assets/Wav.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

std::string u16(unsigned v) { return {char(v & 0xFF), char(v >> 8)}; }
std::string u32(unsigned v) { return u16(v & 0xFFFF) + u16(v >> 16); }

// A WAV file's bytes: format fields as given, the data chunk claiming dataSize bytes and
// holding data.
std::string wavBytes(unsigned format, unsigned channels, unsigned rate, unsigned bits, const std::string& data,
                     unsigned dataSize) {
    const unsigned block = channels * bits / 8;
    std::string fmt = "fmt " + u32(16) + u16(format) + u16(channels) + u32(rate) + u32(rate * block) + u16(block) +
                      u16(bits);
    std::string body = "WAVE" + fmt + "LIST" + u32(3) + "abc" + std::string(1, '\0') + "data" + u32(dataSize) + data;
    return "RIFF" + u32(static_cast<unsigned>(body.size())) + body;
}

Pcm read(const std::string& bytes) {
    std::istringstream in(bytes);
    return readWav(in);
}

}  // namespace

TEST(Wav, WrittenSoundReadsBackSampleForSample) {
    TempDir dir;
    Pcm sound;
    sound.rate = 22050;
    sound.samples = {0, 32767, -32768, 1234, -5};
    ASSERT_TRUE(writeWav(dir.file("s.wav").c_str(), sound));
    const Pcm back = readWav(dir.file("s.wav").c_str());
    EXPECT_EQ(back.rate, 22050);
    EXPECT_EQ(back.samples, sound.samples);
    EXPECT_TRUE(readWav(dir.file("missing.wav").c_str()).empty());
}

TEST(Wav, EightBitStereoIsMixedToSixteenBitMonoPastUnknownChunks) {
    // Frames (left, right): (255, 1) cancel out; (192, 192) is half way up.
    const Pcm sound = read(wavBytes(1, 2, 11025, 8, "\xFF\x01\xC0\xC0", 4));
    EXPECT_EQ(sound.rate, 11025);
    ASSERT_EQ(sound.samples.size(), 2u);
    EXPECT_EQ(sound.samples[0], 0);
    EXPECT_EQ(sound.samples[1], 64 * 256);
}

TEST(Wav, AnythingElseOrDamagedIsSilent) {
    const std::string two(4, '\x10');
    EXPECT_FALSE(read(wavBytes(1, 1, 22050, 16, two, 4)).empty());  // the good one the others break
    EXPECT_TRUE(read(wavBytes(3, 1, 22050, 16, two, 4)).empty());   // floating point
    EXPECT_TRUE(read(wavBytes(1, 3, 22050, 16, two, 4)).empty());   // three channels
    EXPECT_TRUE(read(wavBytes(1, 1, 22050, 24, two, 4)).empty());   // 24-bit
    EXPECT_TRUE(read(wavBytes(1, 1, 1000, 16, two, 4)).empty());    // no common rate
    // A data chunk claiming 4 GB in a file of a few bytes: nothing is allocated for it.
    EXPECT_TRUE(read(wavBytes(1, 1, 22050, 16, two, 0xFFFFFFF0u)).empty());
    EXPECT_TRUE(read(wavBytes(1, 1, 22050, 16, two, 6)).empty());  // cut short
    EXPECT_TRUE(read("RIFF").empty());
    EXPECT_TRUE(read(std::string(44, '\0')).empty());
}

#include "assets/Wav.h"

#include "assets/RegularFile.h"

#include <cstring>
#include <fstream>

namespace {

constexpr std::uint16_t FORMAT_PCM = 1;
constexpr std::uint16_t FORMAT_EXTENSIBLE = 0xFFFE;
constexpr std::uint32_t FMT_SIZE = 16;
constexpr std::uint32_t EXTENSIBLE_FMT_SIZE = 40;

std::uint16_t u16(const unsigned char* at) { return static_cast<std::uint16_t>(at[0] | (at[1] << 8)); }
std::uint32_t u32(const unsigned char* at) { return u16(at) | (static_cast<std::uint32_t>(u16(at + 2)) << 16); }

void put16(std::vector<unsigned char>& out, std::uint32_t value) {
    out.push_back(static_cast<unsigned char>(value));
    out.push_back(static_cast<unsigned char>(value >> 8));
}
void put32(std::vector<unsigned char>& out, std::uint32_t value) {
    put16(out, value);
    put16(out, value >> 16);
}
void putTag(std::vector<unsigned char>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

// Bytes the stream still holds, without reading them; 0 when it cannot tell.
std::uint64_t bytesLeft(std::istream& in) {
    const std::istream::pos_type here = in.tellg();
    if (!in || here == std::istream::pos_type(-1)) return 0;
    in.seekg(0, std::ios::end);
    const std::istream::pos_type end = in.tellg();
    in.seekg(here);
    if (!in || end == std::istream::pos_type(-1) || end < here) return 0;
    return static_cast<std::uint64_t>(end - here);
}

struct Format {
    int channels = 0;
    int bits = 0;
    int rate = 0;
};

// The format chunk's body, when it describes a sound this reader plays.
bool readFormat(const unsigned char* body, std::uint32_t size, Format& format) {
    if (size < FMT_SIZE) return false;
    std::uint16_t tag = u16(body);
    // WAVE_FORMAT_EXTENSIBLE carries the real tag in the first two bytes of its sub-format.
    if (tag == FORMAT_EXTENSIBLE && size >= EXTENSIBLE_FMT_SIZE) tag = u16(body + 24);
    const int channels = u16(body + 2);
    const std::uint32_t rate = u32(body + 4);
    const int blockAlign = u16(body + 12);
    const int bits = u16(body + 14);
    if (tag != FORMAT_PCM || (channels != 1 && channels != 2) || (bits != 8 && bits != 16)) return false;
    if (rate < WAV_MIN_RATE || rate > WAV_MAX_RATE || blockAlign != channels * bits / 8) return false;
    format = Format{channels, bits, static_cast<int>(rate)};
    return true;
}

std::int16_t sampleAt(const unsigned char* at, int bits) {
    if (bits == 8) return static_cast<std::int16_t>((at[0] - 128) * 256);  // 8-bit PCM is unsigned
    return static_cast<std::int16_t>(u16(at));
}

Pcm decode(const std::vector<unsigned char>& data, const Format& format) {
    const int bytes = format.bits / 8;
    const std::size_t frameBytes = static_cast<std::size_t>(bytes) * format.channels;
    Pcm sound;
    sound.rate = format.rate;
    sound.samples.resize(data.size() / frameBytes);
    for (std::size_t i = 0; i < sound.samples.size(); ++i) {
        const unsigned char* frame = data.data() + i * frameBytes;
        int sum = 0;
        for (int c = 0; c < format.channels; ++c) sum += sampleAt(frame + c * bytes, format.bits);
        sound.samples[i] = static_cast<std::int16_t>(sum / format.channels);
    }
    return sound;
}

}  // namespace

Pcm readWav(const char* fileName) {
    RegularFileStream file(fileName);
    if (!file) return Pcm{};
    return readWav(file);
}

Pcm readWav(std::istream& wav) {
    unsigned char riff[12];
    if (!wav.read(reinterpret_cast<char*>(riff), sizeof riff)) return Pcm{};
    if (std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0) return Pcm{};

    Format format;
    bool haveFormat = false;
    // Chunks one after another, each padded to an even size; every claimed size is measured
    // against what the file still holds before anything is read or skipped.
    for (;;) {
        unsigned char header[8];
        if (!wav.read(reinterpret_cast<char*>(header), sizeof header)) return Pcm{};
        const std::uint32_t size = u32(header + 4);
        if (size > bytesLeft(wav)) return Pcm{};
        if (std::memcmp(header, "fmt ", 4) == 0 && !haveFormat) {
            unsigned char body[EXTENSIBLE_FMT_SIZE] = {};
            const std::uint32_t kept = size < EXTENSIBLE_FMT_SIZE ? size : EXTENSIBLE_FMT_SIZE;
            if (!wav.read(reinterpret_cast<char*>(body), kept)) return Pcm{};
            if (!readFormat(body, size, format)) return Pcm{};
            haveFormat = true;
            wav.seekg(size - kept + (size & 1), std::ios::cur);
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (!haveFormat) return Pcm{};
            std::vector<unsigned char> data(size);
            if (!wav.read(reinterpret_cast<char*>(data.data()), size)) return Pcm{};
            return decode(data, format);
        } else {
            wav.seekg(size + (size & 1), std::ios::cur);
        }
        if (!wav) return Pcm{};
    }
}

bool writeWav(const char* fileName, const Pcm& sound) {
    if (sound.empty()) return false;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(sound.samples.size() * 2);
    std::vector<unsigned char> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, FMT_SIZE);
    put16(out, FORMAT_PCM);
    put16(out, 1);  // mono
    put32(out, static_cast<std::uint32_t>(sound.rate));
    put32(out, static_cast<std::uint32_t>(sound.rate) * 2);
    put16(out, 2);   // bytes per frame
    put16(out, 16);  // bits per sample
    putTag(out, "data");
    put32(out, dataBytes);
    for (std::int16_t sample : sound.samples) put16(out, static_cast<std::uint16_t>(sample));
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    file.close();
    return static_cast<bool>(file);
}

#include "content/Sounds.h"

#include "content/Random.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double PI = 3.14159265358979323846;
using Wave = std::vector<double>;

Wave silence(double seconds) { return Wave(static_cast<std::size_t>(seconds * SOUND_RATE), 0.0); }
double timeAt(std::size_t i) { return static_cast<double>(i) / SOUND_RATE; }

// Adds a sine of frequency hz and amplitude a, by rotation (cheap, and exact enough).
void addSine(Wave& w, double hz, double a, double phase = 0.0) {
    const double step = 2 * PI * hz / SOUND_RATE;
    const double c = std::cos(step), s = std::sin(step);
    double x = std::cos(phase), y = std::sin(phase);
    for (double& v : w) {
        v += a * y;
        const double nx = x * c - y * s;
        y = x * s + y * c;
        x = nx;
    }
}

// Noise that repeats exactly with the wave: random-phase partials at whole multiples of the
// wave's own frequency, between low and high hz, with a slope of 1/sqrt(f).
void addLoopNoise(Wave& w, double low, double high, double a, std::uint64_t seed) {
    Random random(seed);
    const double base = static_cast<double>(SOUND_RATE) / w.size();
    const int first = std::max(1, static_cast<int>(low / base)), last = static_cast<int>(high / base);
    const double scale = a / std::sqrt(static_cast<double>(last - first + 1));
    for (int k = first; k <= last; ++k) addSine(w, k * base, scale * std::sqrt(low / (k * base)) * 2, random.unit() * 2 * PI);
}

// White noise through a one-pole low-pass at cutoff hz, shaped by an envelope.
template <typename Envelope>
void addNoise(Wave& w, double cutoff, double a, std::uint64_t seed, Envelope envelope) {
    Random random(seed);
    const double k = 1.0 - std::exp(-2 * PI * cutoff / SOUND_RATE);
    double state = 0.0;
    for (std::size_t i = 0; i < w.size(); ++i) {
        state += k * (random.range(-1.0, 1.0) - state);
        w[i] += a * state * envelope(timeAt(i));
    }
}

// A tone gliding from hz0 to hz1 (exponentially) with a few harmonics, shaped by an envelope.
template <typename Envelope>
void addGlide(Wave& w, double hz0, double hz1, int harmonics, double a, Envelope envelope) {
    const double seconds = timeAt(w.size());
    double phase = 0.0;
    for (std::size_t i = 0; i < w.size(); ++i) {
        const double t = timeAt(i);
        phase += 2 * PI * hz0 * std::pow(hz1 / hz0, t / seconds) / SOUND_RATE;
        double v = 0.0;
        for (int n = 1; n <= harmonics; ++n) v += std::sin(n * phase) / n;
        w[i] += a * v * envelope(t);
    }
}

// A struck bell at hz from time start: a few inharmonic partials, each decaying.
void addBell(Wave& w, double hz, double start, double decay, double a) {
    const double partials[][2] = {{1.0, 1.0}, {2.0, 0.5}, {3.0, 0.25}, {4.2, 0.15}};
    for (std::size_t i = static_cast<std::size_t>(start * SOUND_RATE); i < w.size(); ++i) {
        const double t = timeAt(i) - start;
        const double attack = std::min(1.0, t / 0.003);
        for (const auto& p : partials)
            w[i] += a * p[1] * attack * std::exp(-t * p[0] / decay) * std::sin(2 * PI * hz * p[0] * t);
    }
}

// Fast attack, exponential decay.
auto strike(double decay, double attack = 0.004) {
    return [=](double t) { return std::min(1.0, t / attack) * std::exp(-t / decay); };
}

// To 16-bit at the given peak; one-shots fade out over their last 10 ms so they end silent.
Pcm finish(Wave w, double peak, bool loop) {
    if (!loop) {
        const std::size_t fade = std::min<std::size_t>(w.size(), SOUND_RATE / 100);
        for (std::size_t i = 0; i < fade; ++i) w[w.size() - 1 - i] *= static_cast<double>(i) / fade;
    }
    double highest = 1e-9;
    for (double v : w) highest = std::max(highest, std::abs(v));
    Pcm sound;
    sound.rate = SOUND_RATE;
    for (double v : w) sound.samples.push_back(static_cast<std::int16_t>(std::lround(v / highest * peak * 32767)));
    return sound;
}

// Loops last half a second: every partial is a multiple of 2 Hz.
constexpr double LOOP_SECONDS = 0.5;
// Loops are written below full scale and events near it: the game sets their levels.
constexpr double LOOP_PEAK = 0.7;
constexpr double EVENT_PEAK = 0.9;

Wave engine() {
    Wave w = silence(LOOP_SECONDS);
    // A buzzing 80 Hz note, odd harmonics stronger, over a 40 Hz rumble and some air.
    for (int n = 1; n <= 24; ++n) addSine(w, 80.0 * n, (n % 2 ? 1.0 : 0.45) / n, 0.3 * n);
    for (int n = 1; n <= 7; n += 2) addSine(w, 40.0 * n, 0.25 / n);
    addLoopNoise(w, 300, 2500, 0.35, 11);
    return w;
}

Wave boost() {
    Wave w = silence(LOOP_SECONDS);
    addLoopNoise(w, 500, 6000, 1.0, 12);
    for (int n = 1; n <= 6; ++n) addSine(w, 160.0 * n, 0.15 / n);
    return w;
}

Wave whoosh() {
    Wave w = silence(LOOP_SECONDS);
    addLoopNoise(w, 300, 4000, 1.0, 13);
    // Four swells per loop, and a thin whistle.
    for (std::size_t i = 0; i < w.size(); ++i) w[i] *= 0.7 + 0.3 * std::sin(2 * PI * 8 * timeAt(i));
    addSine(w, 1200, 0.08);
    return w;
}

Wave launch() {
    Wave w = silence(0.7);
    addNoise(w, 3000, 1.0, 14, strike(0.18));
    addGlide(w, 700, 150, 4, 0.6, strike(0.25));
    return w;
}

Wave hit() {
    Wave w = silence(0.8);
    addGlide(w, 110, 40, 3, 1.0, strike(0.3));
    addNoise(w, 6000, 0.8, 15, strike(0.05, 0.001));
    addNoise(w, 900, 0.8, 16, strike(0.25));
    return w;
}

Wave reload() {
    // A mechanical two-step: a low clack, then a higher latch.
    Wave w = silence(0.35);
    Wave first = silence(0.12), second = silence(0.23);
    addGlide(first, 520, 480, 5, 0.8, strike(0.04, 0.001));
    addNoise(first, 5000, 0.4, 17, strike(0.015, 0.001));
    addGlide(second, 780, 760, 5, 0.8, strike(0.06, 0.001));
    addNoise(second, 5000, 0.4, 18, strike(0.015, 0.001));
    std::copy(first.begin(), first.end(), w.begin());
    std::copy(second.begin(), second.end(), w.begin() + static_cast<long>(first.size()));
    return w;
}

Wave money() {
    Wave w = silence(0.45);
    addBell(w, 1568, 0.0, 0.08, 0.6);
    addBell(w, 2093, 0.07, 0.15, 0.8);
    return w;
}

Wave boostPickup() {
    Wave w = silence(0.5);
    addGlide(w, 300, 1500, 6, 0.7, [](double t) { return std::min(1.0, t / 0.02) * (1.0 - t / 0.5); });
    addNoise(w, 4000, 0.3, 19, [](double t) { return t / 0.5; });
    return w;
}

Wave checkpoint() {
    Wave w = silence(0.5);
    addBell(w, 880, 0.0, 0.2, 1.0);
    return w;
}

Wave lap() {
    // Brighter than a checkpoint: a rising arpeggio an octave up.
    Wave w = silence(1.0);
    const double notes[] = {1047, 1319, 1568, 2093};
    for (int i = 0; i < 4; ++i) addBell(w, notes[i], 0.09 * i, 0.35, 0.7);
    return w;
}

Wave thump() {
    Wave w = silence(0.35);
    addGlide(w, 75, 35, 2, 1.0, strike(0.12, 0.002));
    addNoise(w, 700, 0.9, 20, strike(0.05, 0.001));
    // The scrape of the hull along the ground.
    addNoise(w, 7000, 0.25, 21, strike(0.15, 0.01));
    return w;
}

Wave click() {
    Wave w = silence(0.04);
    addBell(w, 2000, 0.0, 0.006, 1.0);
    addNoise(w, 8000, 0.2, 22, strike(0.003, 0.0005));
    return w;
}

Wave start() {
    Wave w = silence(0.8);
    const double notes[] = {523, 659, 784};
    for (int i = 0; i < 3; ++i) addBell(w, notes[i], 0.06 * i, 0.3, 0.7);
    addGlide(w, 200, 800, 3, 0.3, [](double t) { return std::min(1.0, t / 0.05) * std::exp(-t / 0.25); });
    return w;
}

// The waveform of each sound, before its level.
Wave wave(SoundId id) {
    switch (id) {
    case SoundId::Engine: return engine();
    case SoundId::Boost: return boost();
    case SoundId::Whoosh: return whoosh();
    case SoundId::Launch: return launch();
    case SoundId::Hit: return hit();
    case SoundId::PickupReload: return reload();
    case SoundId::PickupMoney: return money();
    case SoundId::PickupBoost: return boostPickup();
    case SoundId::Checkpoint: return checkpoint();
    case SoundId::Lap: return lap();
    case SoundId::Thump: return thump();
    case SoundId::MenuClick: return click();
    case SoundId::MenuStart: return start();
    }
    return Wave{};
}

}  // namespace

Pcm synthesiseSound(SoundId id) {
    const bool loop = isLoop(id);
    return finish(wave(id), loop ? LOOP_PEAK : EVENT_PEAK, loop);
}

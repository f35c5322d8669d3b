#include "content/Mood.h"

#include <cmath>
#include <vector>

namespace {

Vector3 sunFrom(double azimuthDegrees, double elevationDegrees) {
    double a = azimuthDegrees * 3.14159265358979 / 180, e = elevationDegrees * 3.14159265358979 / 180;
    return Vector3(std::cos(e) * std::cos(a), std::sin(e), std::cos(e) * std::sin(a));
}

}  // namespace

Colour fogColour() { return {0.149, 0.192, 0.262}; }

const Mood& circuitMood(int index) {
    static const std::vector<Mood> moods{
        // Clear day: high sun, deep blue sky, a few fair-weather clouds. The sun stands high
        // enough that its glow barely reaches the sky box's top edges.
        {sunFrom(35, 62), bytes(255, 248, 230), bytes(120, 140, 175), 0.9, bytes(38, 92, 178), bytes(150, 190, 228),
         bytes(255, 250, 225), 0.28, bytes(255, 255, 255), bytes(178, 190, 212), bytes(92, 112, 140)},
        // Sunset: low sun, burning horizon, purple zenith, streaks of cloud. The sun faces the
        // middle of a sky face: its glow stays off the box's edges, which show a shared sky.
        {sunFrom(180, 9), bytes(255, 196, 130), bytes(110, 90, 150), 1.0, bytes(44, 36, 92), bytes(240, 138, 82),
         bytes(255, 214, 140), 0.38, bytes(255, 170, 120), bytes(96, 62, 96), bytes(78, 58, 88)},
        // Overcast: a grey lid of cloud, soft light without shadows.
        {sunFrom(120, 60), bytes(232, 234, 236), bytes(170, 176, 186), 0.35, bytes(120, 126, 138), bytes(170, 176, 184),
         bytes(206, 208, 210), 0.92, bytes(196, 199, 204), bytes(112, 118, 130), bytes(84, 96, 112)},
    };
    return moods[index];
}

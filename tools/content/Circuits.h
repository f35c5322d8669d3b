#pragma once

#include "assets/Image.h"
#include "content/Geometry2.h"
#include "content/MarkerPixels.h"
#include "race/CircuitTable.h"

#include <cstdint>
#include <vector>

enum class Landscape { Valley, Alpine, Islands };

// What a designer decides about a circuit; everything else is derived from it.
struct CircuitDesign {
    int number = 0;          // 1 .. 3: the circuit's place in the game's circuit table, plus one
    double heightScale = 0;  // the table's, for the painters
    double gridSpacing = 0;
    Landscape landscape = Landscape::Valley;
    std::vector<Point2> route;  // the racing line's control points in heightmap pixels, racing order
    double checkpointSpacing = 0;   // target distance between checkpoints, pixels
    int trackLevel = 0;             // blue byte of the track bed, where checkpoints and bonuses stand
    std::uint32_t seed = 0;
};

constexpr int HEIGHTMAP_SIZE = 256;
constexpr int BONUS_RELOAD = 255, BONUS_MONEY = 254, BONUS_BOOST = 253;

// Circuit index 0 .. CIRCUIT_COUNT - 1, in the order of the game's circuit table.
const CircuitDesign& circuitDesign(int index);

// A circuit ready to be written: its heightmap and what the pictures need to know about it.
struct Circuit {
    const CircuitDesign* design = nullptr;
    std::vector<Point2> centreLine;         // dense closed polyline in pixels
    std::vector<Point2> checkpoints;        // pixels, racing order
    std::vector<GridMarker> bonuses;        // pixels and types
    std::vector<double> height;             // ground height per pixel, world units, as encoded
    std::vector<float> trackDistance;       // pixels from each pixel to the racing line
    std::vector<float> shape;               // the land before clamping: below 0 is sea depth
    Image heightmap;

    double heightAt(int x, int y) const { return height[static_cast<std::size_t>(y) * HEIGHTMAP_SIZE + x]; }
    // Bilinear, in pixel coordinates (vertex (x, y) at integer x, y).
    double heightAtPixel(double x, double y) const;
    double distanceAtPixel(double x, double y) const;
    // Length of the painted racing line and of the checkpoint loop, world units.
    double centreLineLength() const;
    double checkpointLoopLength() const;
};

// Deterministic: the same circuit, byte for byte, on every call.
Circuit buildCircuit(int index);

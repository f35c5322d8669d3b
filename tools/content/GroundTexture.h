#pragma once

#include "content/Canvas.h"
#include "content/Circuits.h"

// Finds the nearest point of the racing line quickly: the line's segments filed by area.
class TrackLocator {
public:
    explicit TrackLocator(const std::vector<Point2>& line);
    // Distance (pixels) and arc position (pixels along the line from its start) of the point
    // of the line nearest p; false when the line is farther than reach.
    bool nearest(Point2 p, double reach, double& distance, double& arc) const;
    double length() const { return total; }

private:
    static constexpr int BUCKET = 8;
    std::vector<Point2> points;
    std::vector<double> arcAt;
    std::vector<std::vector<int>> buckets;
    int bucketsPerSide;
    double total;
};

// The circuit's ground picture, stretched once over the whole terrain: colours by height and
// slope, light and shade baked in (the game draws its ground unlit), and the track painted
// along the racing line with kerbs, a centre line and a chequered start.
Canvas drawGroundTexture(const Circuit& circuit, int size);

// The colour of the ground at a heightmap position, without the fine detail: shared by the
// ground picture and the menu preview.
Colour groundColour(const Circuit& circuit, const TrackLocator& track, double px, double py, double detail);

#pragma once

#include "content/Canvas.h"
#include "content/Circuits.h"
#include "content/TrackLocator.h"

#include <vector>

// The road painted into the ground picture along the racing line: the surface, kerbs, edge
// lines and centre dashes, and what tells a player the way: the start and finish line, a gate
// across the road at every checkpoint with an arrow on to the next, and chevrons on the
// outside of the tighter bends. Every edge is drawn with its coverage of the texel, worked
// out from distances to the line, so the markings stay clean when the picture is magnified.
class RoadPainter {
public:
    static constexpr double HALF_WIDTH = 3.2;  // pixels; the grid of eleven pods is about 6000 units wide
    // How far from the racing line anything is painted (the chevrons beyond the kerbs), pixels.
    static constexpr double REACH = HALF_WIDTH + 2.5;

    RoadPainter(const Circuit& circuit, const TrackLocator& track);
    // The ground colour (before light) with the road painted over it, for a texel at the
    // given place that spans `footprint` pixels; `detail` is the picture's fine grain.
    Colour paint(Colour ground, const TrackPlace& place, double footprint, double detail) const;

private:
    struct Bend {
        double from = 0, to = 0;  // arcs
        double outside = 0;   // +1 or -1: the side of the line (sign of across) away from the turn
    };

    Colour surface(const TrackPlace& place, double along, double footprint, double detail) const;
    Colour kerbsAndLines(Colour road, const TrackPlace& place, double footprint) const;
    Colour startLine(Colour road, double along, double across, double footprint) const;
    Colour gate(Colour road, double along, double across, double footprint) const;
    Colour arrow(Colour road, double along, double across, double footprint) const;
    Colour chevrons(Colour ground, const TrackPlace& place, double footprint) const;
    // Signed arc from the place's gate to the place, and whether that gate is the start.
    double nearestGate(double arc, bool& isStart) const;

    const TrackLocator& track;
    Colour asphalt;
    double dashPeriod = 0, kerbBlock = 0;
    std::vector<double> gates;  // arcs of the checkpoints, ascending; the start among them
    double startArc = 0;
    std::vector<Bend> bends;
};

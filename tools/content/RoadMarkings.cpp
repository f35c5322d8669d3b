#include "content/RoadMarkings.h"

#include "content/Random.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double H = RoadPainter::HALF_WIDTH;
constexpr double KERB = 0.55;                          // kerb width, inside the road's edge
constexpr double EDGE_LINE_FROM = H - 0.85, EDGE_LINE_TO = H - 0.7;
constexpr double DASH_HALF_WIDTH = 0.1, DASH_PERIOD = 4;
constexpr double KERB_BLOCK = 1.0;
// Gates: two bars across the road, posts beyond the kerbs, an arrow on the road after them.
constexpr double GATE_BAR_AT = 0.3, GATE_BAR_HALF = 0.09;
constexpr double POST_FROM = H + 0.15, POST_TO = H + 1.35, POST_HALF_LENGTH = 0.45;
// The arrow after each gate is stretched along the road, as a driver's road markings are: seen
// from a pod's height the road is foreshortened many times over, so a long shaft and head read
// as an arrow where a short one shrinks to a line across the road.
constexpr double ARROW_TAIL = 1.2, ARROW_TIP = 11.0, ARROW_SHAFT_HALF = 0.28, ARROW_HEAD_LENGTH = 3.6,
                 ARROW_HEAD_HALF = 1.25;
constexpr double START_HALF_LENGTH = 0.5, START_SQUARE = 0.5, START_LINE = 0.15;
// Chevrons: a ribbon beyond the kerb on the outside of every bend tighter than this radius.
constexpr double TIGHT_RADIUS = 14, BEND_LEAD = 4, BEND_TAIL = 2, MIN_TURN = 0.5;
constexpr double RIBBON_FROM = H + 0.25, RIBBON_TO = H + 2.25, CHEVRON_SLOPE = 0.9, CHEVRON_BLOCK = 0.6;
constexpr double CURVATURE_WINDOW = 3;  // pixels of arc each side
static_assert(RIBBON_TO + 0.1 < RoadPainter::REACH && POST_TO + 0.1 < RoadPainter::REACH, "painted beyond the reach");

const Colour WHITE = bytes(238, 238, 232), RED = bytes(200, 40, 36), YELLOW = bytes(242, 196, 36),
             BLACK = bytes(26, 26, 28);

// Share of a texel of width f centred on v that lies within [lo, hi].
double bandCover(double v, double lo, double hi, double f) {
    return clamp01((std::min(hi, v + f / 2) - std::max(lo, v - f / 2)) / f);
}

// Share of a texel of width f centred on v that lies in the odd blocks of a row of blocks
// `block` long, the first starting at 0: a box-filtered square wave.
double oddBlockShare(double v, double block, double f) {
    auto odd = [block](double x) {
        double period = std::floor(x / (2 * block));
        return period * block + std::clamp(x - period * 2 * block - block, 0.0, block);
    };
    return (odd(v + f / 2) - odd(v - f / 2)) / f;
}

// Coverage of a shape whose signed distance (negative inside) at the texel centre is sd.
double shapeCover(double sd, double f) { return clamp01(0.5 - sd / f); }

// Signed distance to a box of half sides hu, hv centred on the origin.
double boxDistance(double u, double v, double hu, double hv) {
    double du = std::fabs(u) - hu, dv = std::fabs(v) - hv;
    return std::hypot(std::max(du, 0.0), std::max(dv, 0.0)) + std::min(std::max(du, dv), 0.0);
}

// Signed distance to the arrow after a gate, pointing along +u: a shaft and a head.
double arrowDistance(double u, double v) {
    // The shaft runs on into the head, so that no seam shows where they meet.
    const double headBase = ARROW_TIP - ARROW_HEAD_LENGTH, shaftEnd = headBase + 1;
    const double shaft = boxDistance(u - (ARROW_TAIL + shaftEnd) / 2, v, (shaftEnd - ARROW_TAIL) / 2, ARROW_SHAFT_HALF);
    const double edge = (std::fabs(v) * ARROW_HEAD_LENGTH + (u - ARROW_TIP) * ARROW_HEAD_HALF) /
                        std::hypot(ARROW_HEAD_LENGTH, ARROW_HEAD_HALF);
    return std::min(shaft, std::max(edge, headBase - u));
}

Colour asphaltFor(Landscape landscape) {
    switch (landscape) {
        case Landscape::Valley: return bytes(70, 70, 74);     // dark asphalt between green fields
        case Landscape::Alpine: return bytes(58, 58, 64);
        case Landscape::Islands: return bytes(172, 100, 78);  // red stone causeway over the sea
    }
    return bytes(70, 70, 74);
}

// A length near `wanted` that goes a whole number of times into the lap, so that patterns
// meet without a break where the lap closes.
double fitted(double wanted, double lap) { return lap / std::max(1.0, std::round(lap / wanted)); }

}  // namespace

RoadPainter::RoadPainter(const Circuit& circuit, const TrackLocator& track)
    : track(track), asphalt(asphaltFor(circuit.design->landscape)) {
    dashPeriod = fitted(DASH_PERIOD, track.length());
    kerbBlock = fitted(2 * KERB_BLOCK, track.length()) / 2;
    for (std::size_t i = 0; i < circuit.checkpoints.size(); ++i) {
        TrackPlace place;
        if (!track.nearest(circuit.checkpoints[i], HEIGHTMAP_SIZE, place)) continue;
        gates.push_back(place.arc);
        if (i == 0) startArc = place.arc;
    }
    std::sort(gates.begin(), gates.end());

    // Curvature along the line: the turn of its heading over a few pixels of arc each side.
    const auto& line = circuit.centreLine;
    std::size_t n = line.size();
    std::vector<double> turn(n);
    for (std::size_t i = 0; i < n; ++i) {
        Point2 a = line[(i + n - 1) % n], b = line[i], c = line[(i + 1) % n];
        turn[i] = std::atan2(cross2(b - a, c - b), dot2(b - a, c - b));
    }
    std::vector<double> curvature(n);
    for (std::size_t i = 0; i < n; ++i) {
        double angle = turn[i], arc = 0;
        for (std::size_t k = 1; k < n / 2 && arc < 2 * CURVATURE_WINDOW; ++k) {
            arc += length2(line[(i + k) % n] - line[(i + k - 1) % n]) + length2(line[(i + n - k + 1) % n] - line[(i + n - k) % n]);
            angle += turn[(i + k) % n] + turn[(i + n - k) % n];
        }
        curvature[i] = angle / std::max(arc, 1e-9);
    }
    // Runs of tight curvature one way; the scan starts on a straighter point so that no run is
    // cut in two where the lap closes.
    std::size_t first = 0;
    while (first < n && std::fabs(curvature[first]) >= 1 / TIGHT_RADIUS) ++first;
    if (first == n) return;
    for (std::size_t k = 1; k <= n; ++k) {
        std::size_t i = (first + k) % n;
        if (std::fabs(curvature[i]) < 1 / TIGHT_RADIUS) continue;
        double sign = curvature[i] > 0 ? 1 : -1, angle = 0;
        std::size_t end = i, steps = 0;
        while (steps < n && curvature[end] * sign >= 1 / TIGHT_RADIUS) {
            angle += turn[end];
            end = (end + 1) % n;
            ++steps;
        }
        if (std::fabs(angle) >= MIN_TURN) {
            double from = track.arcAt(i) - BEND_LEAD, to = track.arcAt(end) + BEND_TAIL;
            bends.push_back({from, from + std::fmod(to - from + 2 * track.length(), track.length()), -sign});
        }
        k += steps;
    }
}

double RoadPainter::nearestGate(double arc, bool& isStart) const {
    isStart = false;
    if (gates.empty()) return track.length();
    auto next = std::upper_bound(gates.begin(), gates.end(), arc);
    double ahead = next == gates.end() ? gates.front() : *next;
    double behind = next == gates.begin() ? gates.back() : *(next - 1);
    // The arrow after a gate belongs to it: a place is the next gate's only just before it.
    double gateArc = track.arcBetween(arc, ahead) < 1 ? ahead : behind;
    isStart = gateArc == startArc;
    return track.arcBetween(gateArc, arc);
}

Colour RoadPainter::surface(const TrackPlace& place, double along, double f, double detail) const {
    // Worn patches along the road and the picture's grain.
    double patches = valueNoise(place.arc / 2.5, place.across / 1.7, 0x0AD5u);
    Colour road = asphalt * (1 + 0.05 * patches + 0.04 * detail);
    // Centre dashes: rounded bars along the line.
    double u = place.arc - dashPeriod * std::floor(place.arc / dashPeriod) - dashPeriod / 4;
    if (u > dashPeriod / 2) u -= dashPeriod;
    double dash = shapeCover(boxDistance(u, place.across, dashPeriod / 4 - DASH_HALF_WIDTH, 0) - DASH_HALF_WIDTH, f);
    // None across a gate and its arrow, which stand out the better for it.
    double clear = bandCover(along, -START_HALF_LENGTH - START_LINE - 0.2, ARROW_TIP + 0.3, f);
    return mix(road, WHITE, dash * 0.9 * (1 - clear));
}

Colour RoadPainter::kerbsAndLines(Colour road, const TrackPlace& place, double f) const {
    double a = place.distance;
    road = mix(road, WHITE, bandCover(a, EDGE_LINE_FROM, EDGE_LINE_TO, f) * 0.9);
    Colour kerb = mix(WHITE, RED, oddBlockShare(place.arc, kerbBlock, f));
    return mix(road, kerb, bandCover(a, H - KERB, H + 1, f));
}

Colour RoadPainter::startLine(Colour road, double along, double across, double f) const {
    // Two rows of chequers between the kerbs, a white line either side.
    double inside = H - KERB;
    double su = 1 - 2 * oddBlockShare(along + START_HALF_LENGTH, START_SQUARE, f);
    double sv = 1 - 2 * oddBlockShare(across + inside, START_SQUARE, f);
    Colour chequer = mix(BLACK, WHITE, (1 + su * sv) / 2);
    double band = bandCover(std::fabs(across), -1, inside, f);
    road = mix(road, chequer, bandCover(along, -START_HALF_LENGTH, START_HALF_LENGTH, f) * band);
    double lines = bandCover(std::fabs(along), START_HALF_LENGTH, START_HALF_LENGTH + START_LINE, f);
    return mix(road, WHITE, lines * band);
}

Colour RoadPainter::gate(Colour colour, double along, double across, double f) const {
    double bars = bandCover(std::fabs(along), GATE_BAR_AT - GATE_BAR_HALF, GATE_BAR_AT + GATE_BAR_HALF, f);
    return mix(colour, YELLOW, bars * bandCover(std::fabs(across), -1, H, f));
}

Colour RoadPainter::arrow(Colour colour, double along, double across, double f) const {
    double cover = shapeCover(arrowDistance(along, across), f);
    return mix(colour, WHITE, cover * 0.92);
}

Colour RoadPainter::chevrons(Colour ground, const TrackPlace& place, double f) const {
    for (const Bend& bend : bends) {
        double into = bend.from + std::fmod(place.arc - bend.from + 2 * track.length(), track.length());
        if (into > bend.to + f) continue;
        double w = place.across * bend.outside;
        double ribbon = bandCover(w, RIBBON_FROM, RIBBON_TO, f) * bandCover(into, bend.from, bend.to, f);
        if (ribbon <= 0) continue;
        double v = w - (RIBBON_FROM + RIBBON_TO) / 2;
        double stripe = into + CHEVRON_SLOPE * std::fabs(v);
        Colour chevron = mix(WHITE, RED, oddBlockShare(stripe, CHEVRON_BLOCK, f * std::sqrt(1 + CHEVRON_SLOPE * CHEVRON_SLOPE)));
        ground = mix(ground, chevron, ribbon);
    }
    return ground;
}

Colour RoadPainter::paint(Colour ground, const TrackPlace& place, double f, double detail) const {
    Colour colour = chevrons(ground, place, f);
    bool isStart;
    double along = nearestGate(place.arc, isStart);
    double onRoad = bandCover(place.distance, -1, H, f);
    if (onRoad > 0) {
        Colour road = kerbsAndLines(surface(place, along, f, detail), place, f);
        road = isStart ? startLine(road, along, place.across, f) : gate(road, along, place.across, f);
        road = arrow(road, along, place.across, f);
        colour = mix(colour, road, onRoad);
    }
    // Posts beyond both kerbs mark every gate from afar.
    double post = bandCover(place.distance, POST_FROM, POST_TO, f) * bandCover(along, -POST_HALF_LENGTH, POST_HALF_LENGTH, f);
    Colour postColour = mix(YELLOW, BLACK, oddBlockShare(place.distance - POST_FROM, 0.4, f));
    return mix(colour, postColour, post);
}

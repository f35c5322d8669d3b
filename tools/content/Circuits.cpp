#include "content/Circuits.h"

#include "content/Canvas.h"
#include "content/PodFlight.h"
#include "content/Random.h"
#include "motion/BodyTuning.h"
#include "race/RaceSetup.h"
#include "terrain/Terrain.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int N = HEIGHTMAP_SIZE;

// Each route starts in the middle of a straight, where the grid forms across the road: the
// spline runs straight between the middle ones of four or more control points in a line, and
// the first checkpoints then lie in line too, so the pods fly it straight.
const std::vector<CircuitDesign>& designs() {
    static const std::vector<CircuitDesign> table{
        // Green valley: long sweeping curves between wooded hills, a lake, mountains all round.
        {1, CIRCUITS[0].heightScale, CIRCUITS[0].gridSpacing, Landscape::Valley,
         {{150, 40}, {178, 40}, {206, 40}, {232, 80}, {198, 118}, {214, 166}, {222, 214}, {170, 228}, {124, 196},
          {78, 222}, {34, 198}, {44, 142}, {28, 100}, {48, 62}, {94, 40}, {122, 40}},
         29.0, 20, 0x5EED0001u},
        // High mountains: a winding pass between snowy peaks, with hairpins.
        {2, CIRCUITS[1].heightScale, CIRCUITS[1].gridSpacing, Landscape::Alpine,
         {{124, 34}, {156, 34}, {190, 46}, {224, 104}, {196, 146}, {144, 128}, {108, 150}, {142, 190}, {206, 196},
          {212, 232}, {130, 234}, {56, 214}, {30, 156}, {62, 114}, {34, 76}, {60, 34}, {92, 34}},
         26.0, 13, 0x5EED0002u},
        // Islands: a twisty course along channels in a grey sea, through the islands' gaps.
        {3, CIRCUITS[2].heightScale, CIRCUITS[2].gridSpacing, Landscape::Islands,
         {{88, 28}, {112, 28}, {136, 28}, {168, 62}, {218, 42}, {224, 104}, {186, 132}, {228, 182}, {200, 232},
          {140, 216}, {122, 162}, {80, 204}, {30, 214}, {24, 150}, {56, 104}, {24, 60}, {40, 28}, {64, 28}},
         29.0, 0, 0x5EED0003u},
    };
    return table;
}

// Centripetal Catmull-Rom through the control points of a closed loop, sampled densely.
std::vector<Point2> closedSpline(const std::vector<Point2>& points, double step) {
    std::vector<Point2> line;
    std::size_t n = points.size();
    for (std::size_t i = 0; i < n; ++i) {
        Point2 p0 = points[(i + n - 1) % n], p1 = points[i], p2 = points[(i + 1) % n], p3 = points[(i + 2) % n];
        auto knot = [](Point2 a, Point2 b) { return std::sqrt(std::max(length2(b - a), 1e-6)); };
        double t0 = 0, t1 = t0 + knot(p0, p1), t2 = t1 + knot(p1, p2), t3 = t2 + knot(p2, p3);
        int samples = std::max(2, static_cast<int>(length2(p2 - p1) / step));
        for (int s = 0; s < samples; ++s) {
            double t = t1 + (t2 - t1) * s / samples;
            Point2 a1 = p0 * ((t1 - t) / (t1 - t0)) + p1 * ((t - t0) / (t1 - t0));
            Point2 a2 = p1 * ((t2 - t) / (t2 - t1)) + p2 * ((t - t1) / (t2 - t1));
            Point2 a3 = p2 * ((t3 - t) / (t3 - t2)) + p3 * ((t - t2) / (t3 - t2));
            Point2 b1 = a1 * ((t2 - t) / (t2 - t0)) + a2 * ((t - t0) / (t2 - t0));
            Point2 b2 = a2 * ((t3 - t) / (t3 - t1)) + a3 * ((t - t1) / (t3 - t1));
            line.push_back(b1 * ((t2 - t) / (t2 - t1)) + b2 * ((t - t1) / (t2 - t1)));
        }
    }
    return line;
}

double loopLength(const std::vector<Point2>& line) {
    double total = 0;
    for (std::size_t i = 0; i < line.size(); ++i) total += length2(line[(i + 1) % line.size()] - line[i]);
    return total;
}

// Distance in pixels from every pixel to a closed polyline, exact up to reach, reach beyond.
std::vector<float> distanceField(const std::vector<Point2>& line, double reach) {
    std::vector<float> field(static_cast<std::size_t>(N) * N, static_cast<float>(reach));
    int r = static_cast<int>(std::ceil(reach));
    for (std::size_t i = 0; i < line.size(); ++i) {
        Point2 a = line[i], b = line[(i + 1) % line.size()];
        int x0 = std::max(0, static_cast<int>(std::min(a.x, b.x)) - r), x1 = std::min(N - 1, static_cast<int>(std::max(a.x, b.x)) + r);
        int y0 = std::max(0, static_cast<int>(std::min(a.y, b.y)) - r), y1 = std::min(N - 1, static_cast<int>(std::max(a.y, b.y)) + r);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                float d = static_cast<float>(segmentDistance({double(x), double(y)}, a, b));
                float& f = field[static_cast<std::size_t>(y) * N + x];
                if (d < f) f = d;
            }
    }
    return field;
}

// Closed polyline through a loop's points with a given number of samples between them.
std::vector<Point2> resampleLoop(const std::vector<Point2>& line, int count) {
    double total = loopLength(line), walked = 0;
    std::vector<Point2> points;
    std::size_t i = 0;
    for (int k = 0; k < count; ++k) {
        double target = total * k / count;
        while (walked + length2(line[(i + 1) % line.size()] - line[i]) < target) {
            walked += length2(line[(i + 1) % line.size()] - line[i]);
            ++i;
        }
        Point2 a = line[i], b = line[(i + 1) % line.size()];
        double t = (target - walked) / std::max(length2(b - a), 1e-9);
        points.push_back(a + (b - a) * t);
    }
    return points;
}

// The border: a ring of steep ridges between the country and the grid's edge, far higher than
// a pod can fly, so that a pod off the road meets a wall whose ground contact sends it back,
// and never reaches the edge, beyond which the ground runs on flat and undrawn. From the foot
// to the crest in fractions of the half size (a rounded square, its foot wobbling).
constexpr double BORDER_FOOT = 0.81, BORDER_CREST = 0.83;
// Every route is fitted within this fraction of the half size, well inside the border's foot.
constexpr double ROUTE_REACH = 0.60;

double borderRise(int x, int y, std::uint32_t seed) {
    double dx = std::fabs(x - N / 2.0) / (N / 2.0), dy = std::fabs(y - N / 2.0) / (N / 2.0);
    double e = std::pow(std::pow(dx, 6) + std::pow(dy, 6), 1.0 / 6) + 0.01 * fractalNoise(x / 16.0, y / 16.0, seed + 11, 3);
    return smoothstep(BORDER_FOOT, BORDER_CREST, e);
}

// The ridge's crest, near the top of the height scale, with rocky detail.
double borderHeight(const CircuitDesign& d, int x, int y) {
    return d.heightScale * (0.9 + 0.1 * ridgedNoise(x / 12.0, y / 12.0, d.seed + 13, 4));
}

// Ground higher than a pod's ceiling stops a pod: the contact can only push it out sideways,
// down the slope, and a level top that high would hold it. Inside the border the hills' tops
// are rounded off below the ceiling, clear of a pod's underside, so a pod off the road meets
// slopes it climbs over; above the knee the height approaches the limit smoothly.
constexpr double HILL_LIMIT = PLAYER_POD_TUNING.ceiling - 500, HILL_KNEE = 3000;

double roundedTop(double h) {
    if (h <= HILL_KNEE) return h;
    return HILL_KNEE + (HILL_LIMIT - HILL_KNEE) * std::tanh((h - HILL_KNEE) / (HILL_LIMIT - HILL_KNEE));
}

// The land as it would be without the track, in world units.
double naturalHeight(const CircuitDesign& d, int x, int y, double track) {
    double px = x, py = y;
    std::uint32_t s = d.seed;
    double h = 0;
    switch (d.landscape) {
        case Landscape::Valley: {
            double hills = 1700 + 2200 * fractalNoise(px / 40, py / 40, s, 5);
            double range = std::pow(ridgedNoise(px / 44, py / 44, s + 7, 5), 1.3) * 9800;
            double lake = smoothstep(-0.1, -0.32, fractalNoise(px / 50, py / 50, s + 3, 3));
            h = hills + range * smoothstep(14, 50, track) * (1 - lake) - 4200 * lake;
            break;
        }
        case Landscape::Alpine: {
            double base = 2600 + 1500 * fractalNoise(px / 40, py / 40, s, 5);
            double peaks = std::pow(ridgedNoise(px / 38, py / 38, s + 7, 6), 1.25) * 12500;
            h = base + peaks * smoothstep(9, 42, track);
            break;
        }
        case Landscape::Islands: {
            double land = 3400 * fractalNoise(px / 30, py / 30, s, 5) - 350;
            double peaks = std::pow(ridgedNoise(px / 30, py / 30, s + 7, 5), 2.0) * 6500;
            h = land + peaks * smoothstep(0, 1800, land) * smoothstep(14, 40, track);
            break;
        }
    }
    return h;
}

// The route's control points moved toward the centre until the farthest is within reach.
std::vector<Point2> fittedRoute(const std::vector<Point2>& points) {
    const Point2 centre{N / 2.0, N / 2.0};
    double reach = 0;
    for (const Point2& p : points) reach = std::max({reach, std::fabs(p.x - centre.x), std::fabs(p.y - centre.y)});
    double scale = std::min(1.0, ROUTE_REACH * (N / 2.0) / reach);
    std::vector<Point2> fitted;
    for (const Point2& p : points) fitted.push_back(centre + (p - centre) * scale);
    return fitted;
}

void paintGround(Circuit& c, const std::vector<float>& chordDistance) {
    const CircuitDesign& d = *c.design;
    double bed = d.trackLevel * d.heightScale / 255.0;
    c.height.assign(static_cast<std::size_t>(N) * N, 0.0);
    c.shape.assign(static_cast<std::size_t>(N) * N, 0.0f);
    c.heightmap = Image(N, N);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            std::size_t i = static_cast<std::size_t>(y) * N + x;
            double track = c.trackDistance[i];
            double natural = naturalHeight(d, x, y, track);
            double h;
            if (d.landscape == Landscape::Islands) {
                // The course follows sea-level channels cut through the islands.
                h = lerp(bed, natural, smoothstep(5, 16, track));
            } else {
                h = lerp(bed, std::max(natural, bed), smoothstep(8, 32, track));
            }
            // The straight line between checkpoints is what the pods fly: keep it on the bed.
            h = std::min(h, lerp(bed, h, smoothstep(2, 6, chordDistance[i])));
            h = roundedTop(h);
            // The border stands whatever the track did to the land around it.
            h = lerp(h, std::max(h, borderHeight(d, x, y)), borderRise(x, y, d.seed));
            c.shape[i] = static_cast<float>(h);
            int blue = static_cast<int>(std::lround(std::clamp(h, 0.0, d.heightScale) / d.heightScale * 255.0));
            c.height[i] = blue * d.heightScale / 255.0;
            c.heightmap.setPixel(x, y, packColour(0, 0, static_cast<std::uint8_t>(blue), 0));
        }
}

void setMarker(Circuit& c, int x, int y, int red, int green) {
    std::uint8_t r, g, b, a;
    unpackColour(c.heightmap.getPixel(x, y), &r, &g, &b, &a);
    if (red) r = static_cast<std::uint8_t>(red);
    if (green) g = static_cast<std::uint8_t>(green);
    b = static_cast<std::uint8_t>(c.design->trackLevel);
    c.heightmap.setPixel(x, y, packColour(r, g, b, 0));
    c.height[static_cast<std::size_t>(y) * N + x] = c.design->trackLevel * c.design->heightScale / 255.0;
}

// Where a pod flew during one lap: its contact boxes filed by the heightmap pixel under it.
struct LapTrace {
    std::vector<std::vector<Box>> cells = std::vector<std::vector<Box>>(static_cast<std::size_t>(N) * N);

    // A pod's box reaches a bonus's only from the pixel of the bonus or one next to it.
    bool touches(const Box& bonus, int x, int y) const {
        for (int j = std::max(0, y - 1); j <= std::min(N - 1, y + 1); ++j)
            for (int i = std::max(0, x - 1); i <= std::min(N - 1, x + 1); ++i)
                for (const Box& pod : cells[static_cast<std::size_t>(j) * N + i])
                    if (pod.overlaps(bonus)) return true;
        return false;
    }
};

// Laps flown by pods from several grid places at several frame rates, the first lap left out
// while the field settles.
std::vector<LapTrace> traceLaps(const CircuitFlights& flights) {
    std::vector<LapTrace> traces;
    for (std::uint32_t frameMs : {10u, 16u, 33u})
        for (double offset : {-2500.0, 0.0, 2900.0}) {
            FlightSettings settings;
            settings.frameMs = frameMs;
            settings.sideOffset = offset;
            settings.laps = 3;
            FlightResult flight = flights.fly(settings);
            std::size_t first = traces.size();
            traces.resize(first + 2);
            for (const FlightSample& s : flight.path) {
                if (s.lap < 1 || s.lap > 2) continue;
                int x = static_cast<int>(std::lround(flights.pixelX(s.position.x)));
                int y = static_cast<int>(std::lround(flights.pixelY(s.position.z)));
                if (x < 0 || y < 0 || x >= N || y >= N) continue;
                traces[first + s.lap - 1].cells[static_cast<std::size_t>(y) * N + x].push_back(s.box);
            }
        }
    return traces;
}

// Puts the bonuses in rows of three across the racing line, at the places of each stretch
// of the lap that the most flown laps pass through.
void placeBonuses(Circuit& c) {
    const CircuitDesign& d = *c.design;
    CircuitFlights flights(c.heightmap, d.heightScale, d.gridSpacing);
    std::vector<LapTrace> traces = traceLaps(flights);
    // The marker's pixel is put on the track bed, so the bonus hangs at checkpoint height.
    double markerY = d.trackLevel * d.heightScale / 255.0 + Terrain::MARKER_LIFT;
    auto isCheckpoint = [&](int x, int y) {
        for (const Point2& p : c.checkpoints)
            if (static_cast<int>(p.x) == x && static_cast<int>(p.y) == y) return true;
        return false;
    };
    auto rowAt = [&](std::size_t i) {
        const auto& line = c.centreLine;
        Point2 p = line[i], ahead = line[(i + 4) % line.size()], behind = line[(i + line.size() - 4) % line.size()];
        Point2 along = ahead - behind;
        Point2 across = Point2{-along.y, along.x} * (1.0 / std::max(length2(along), 1e-9));
        std::vector<std::pair<int, int>> row;
        for (double k : {-1.1, 0.0, 1.1}) {
            Point2 q = p + across * k;
            std::pair<int, int> v{static_cast<int>(std::lround(q.x)), static_cast<int>(std::lround(q.y))};
            if (v.first < 1 || v.second < 1 || v.first >= N - 1 || v.second >= N - 1 || isCheckpoint(v.first, v.second)) continue;
            if (std::find(row.begin(), row.end(), v) == row.end()) row.push_back(v);
        }
        return row;
    };
    auto coverage = [&](const std::vector<std::pair<int, int>>& row, int type) {
        std::vector<Box> boxes;
        for (auto [x, y] : row) boxes.push_back(flights.bonusBox(bonusKindForMarker(type), x, y, markerY));
        int hit = 0;
        for (const LapTrace& trace : traces) {
            bool touched = false;
            for (std::size_t k = 0; k < row.size() && !touched; ++k) touched = trace.touches(boxes[k], row[k].first, row[k].second);
            hit += touched;
        }
        return hit;
    };
    const int sites = 7;
    const int types[sites] = {BONUS_MONEY, BONUS_BOOST, BONUS_RELOAD, BONUS_MONEY, BONUS_BOOST, BONUS_MONEY, BONUS_RELOAD};
    std::size_t n = c.centreLine.size();
    for (int site = 0; site < sites; ++site) {
        int best = -1;
        std::vector<std::pair<int, int>> bestRow;
        for (std::size_t i = n * site / sites + n / (5 * sites); i < n * (site + 1) / sites; i += 3) {
            auto row = rowAt(i);
            int hit = coverage(row, types[site]);
            if (hit > best) {
                best = hit;
                bestRow = row;
            }
        }
        for (auto [x, y] : bestRow) {
            setMarker(c, x, y, 0, types[site]);
            c.bonuses.push_back({x, y, types[site]});
        }
    }
}

// The line a computer pod flies on its second lap, on flat ground, smoothed.
std::vector<Point2> racingLine(const Circuit& c, const std::vector<Point2>& fallback) {
    const CircuitDesign& d = *c.design;
    Image flat(N, N);
    std::uint32_t bed = packColour(0, 0, static_cast<std::uint8_t>(d.trackLevel), 0);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) flat.setPixel(x, y, bed);
    for (std::size_t i = 0; i < c.checkpoints.size(); ++i)
        flat.setPixel(static_cast<int>(c.checkpoints[i].x), static_cast<int>(c.checkpoints[i].y),
                      packColour(static_cast<std::uint8_t>(255 - i), 0, static_cast<std::uint8_t>(d.trackLevel), 0));
    CircuitFlights flights(flat, d.heightScale, d.gridSpacing);
    FlightResult flight = flights.fly(FlightSettings());
    std::vector<Point2> lap;
    for (const FlightSample& s : flight.path) {
        if (s.lap != 1) continue;
        Point2 p{flights.pixelX(s.position.x), flights.pixelY(s.position.z)};
        if (lap.empty() || length2(p - lap.back()) >= 0.5) lap.push_back(p);
    }
    if (lap.size() < 16) return fallback;
    std::vector<Point2> smooth(lap.size());
    const int half = 6;
    for (std::size_t i = 0; i < lap.size(); ++i) {
        Point2 sum;
        for (int k = -half; k <= half; ++k) sum = sum + lap[(i + lap.size() + k) % lap.size()];
        smooth[i] = sum * (1.0 / (2 * half + 1));
    }
    return smooth;
}

// Pods cut inside the checkpoints, so the flown line passes beside checkpoint 0, where the
// grid starts: bend the line smoothly through it and start the loop there.
void startOnCheckpointZero(Circuit& c) {
    auto& line = c.centreLine;
    std::size_t k = 0;
    for (std::size_t i = 0; i < line.size(); ++i)
        if (length2(line[i] - c.checkpoints[0]) < length2(line[k] - c.checkpoints[0])) k = i;
    Point2 offset = c.checkpoints[0] - line[k];
    const int reach = static_cast<int>(std::min<std::size_t>(80, line.size() / 4));
    for (int j = -reach; j <= reach; ++j) {
        double weight = 0.5 + 0.5 * std::cos(3.14159265358979 * j / reach);
        line[(k + line.size() + j) % line.size()] = line[(k + line.size() + j) % line.size()] + offset * weight;
    }
    std::rotate(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(k), line.end());
}

}  // namespace

const CircuitDesign& circuitDesign(int index) { return designs()[index]; }

double Circuit::heightAtPixel(double x, double y) const {
    x = std::clamp(x, 0.0, N - 1.0);
    y = std::clamp(y, 0.0, N - 1.0);
    int x0 = std::min(static_cast<int>(x), N - 2), y0 = std::min(static_cast<int>(y), N - 2);
    double fx = x - x0, fy = y - y0;
    return lerp(lerp(heightAt(x0, y0), heightAt(x0 + 1, y0), fx), lerp(heightAt(x0, y0 + 1), heightAt(x0 + 1, y0 + 1), fx), fy);
}

double Circuit::distanceAtPixel(double x, double y) const {
    x = std::clamp(x, 0.0, N - 1.0);
    y = std::clamp(y, 0.0, N - 1.0);
    int x0 = std::min(static_cast<int>(x), N - 2), y0 = std::min(static_cast<int>(y), N - 2);
    double fx = x - x0, fy = y - y0;
    auto at = [&](int i, int j) { return static_cast<double>(trackDistance[static_cast<std::size_t>(j) * N + i]); };
    return lerp(lerp(at(x0, y0), at(x0 + 1, y0), fx), lerp(at(x0, y0 + 1), at(x0 + 1, y0 + 1), fx), fy);
}

double Circuit::centreLineLength() const { return loopLength(centreLine) * design->gridSpacing; }

double Circuit::checkpointLoopLength() const { return loopLength(checkpoints) * design->gridSpacing; }

Circuit buildCircuit(int index) {
    Circuit c;
    c.design = &circuitDesign(index);
    std::vector<Point2> route = closedSpline(fittedRoute(c.design->route), 0.5);
    int count = static_cast<int>(std::lround(loopLength(route) / c.design->checkpointSpacing));
    count = std::clamp(count, 12, 40);
    for (const Point2& p : resampleLoop(route, count))
        c.checkpoints.push_back({std::round(p.x), std::round(p.y)});
    // The painted track and the valley around it follow where the pods really fly; the
    // checkpoints are then spread evenly along that line from the start, so the grid lines
    // up on the painted start, and the line flown anew.
    c.centreLine = racingLine(c, route);
    std::size_t start = 0;
    for (std::size_t i = 0; i < c.centreLine.size(); ++i)
        if (length2(c.centreLine[i] - c.checkpoints[0]) < length2(c.centreLine[start] - c.checkpoints[0])) start = i;
    std::rotate(c.centreLine.begin(), c.centreLine.begin() + static_cast<std::ptrdiff_t>(start), c.centreLine.end());
    c.checkpoints.clear();
    for (const Point2& p : resampleLoop(c.centreLine, count)) c.checkpoints.push_back({std::round(p.x), std::round(p.y)});
    c.centreLine = racingLine(c, c.centreLine);
    startOnCheckpointZero(c);
    c.trackDistance = distanceField(c.centreLine, 64);
    paintGround(c, distanceField(c.checkpoints, 8));
    for (std::size_t i = 0; i < c.checkpoints.size(); ++i)
        setMarker(c, static_cast<int>(c.checkpoints[i].x), static_cast<int>(c.checkpoints[i].y), 255 - static_cast<int>(i), 0);
    placeBonuses(c);
    return c;
}

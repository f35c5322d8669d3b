#include "content/CircuitCheck.h"

#include "content/MarkerPixels.h"
#include "terrain/Terrain.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

std::string number(double v) { return std::to_string(static_cast<long long>(std::lround(v))); }

// The circuit as the game reads it, with the pixels of its markers.
struct CheckedCircuit {
    Terrain terrain;
    MarkerPixels marks;
    double gridSpacing = 0;
    CheckedCircuit(const Image& heightmap, double heightScale, double spacing)
        : terrain(Vector3(0, 0, 0), heightmap, heightScale, spacing), marks(findMarkers(heightmap)), gridSpacing(spacing) {}
    Vector3 vertex(const GridMarker& m) const { return terrain.vertex(m.y, m.x); }
};

void checkNumbering(const CheckedCircuit& circuit, const CircuitRules& rules, std::vector<CircuitProblem>& problems) {
    const auto& marks = circuit.marks.checkpoints;
    int count = static_cast<int>(marks.size());
    std::map<int, std::vector<const GridMarker*>> byNumber;
    for (const GridMarker& m : marks) byNumber[m.value].push_back(&m);
    if (count < rules.minCheckpoints || count > rules.maxCheckpoints)
        problems.push_back({marks.empty() ? 0 : marks[0].x, marks.empty() ? 0 : marks[0].y,
                            std::to_string(count) + " checkpoints; a circuit needs " + std::to_string(rules.minCheckpoints) +
                                " to " + std::to_string(rules.maxCheckpoints)});
    for (const auto& [value, pixels] : byNumber) {
        if (pixels.size() > 1)
            for (const GridMarker* m : pixels)
                problems.push_back({m->x, m->y, "checkpoint " + std::to_string(value) + " (red " + std::to_string(255 - value) +
                                                    ") is marked on " + std::to_string(pixels.size()) + " pixels"});
        if (value >= static_cast<int>(byNumber.size()))
            problems.push_back({pixels[0]->x, pixels[0]->y,
                                "checkpoint " + std::to_string(value) + " (red " + std::to_string(255 - value) +
                                    ") lies beyond a gap in the numbering"});
    }
    for (int value = 0; value < static_cast<int>(byNumber.size()); ++value)
        if (!byNumber.count(value)) {
            auto after = byNumber.upper_bound(value);
            const GridMarker* m = after->second[0];
            problems.push_back({m->x, m->y, "checkpoint " + std::to_string(value) + " (red " + std::to_string(255 - value) +
                                                ") is missing; the numbering has a gap before this checkpoint"});
        }
}

void checkLegs(const CheckedCircuit& circuit, const CircuitRules& rules, std::vector<CircuitProblem>& problems) {
    std::vector<const GridMarker*> order(circuit.marks.checkpoints.size(), nullptr);
    for (const GridMarker& m : circuit.marks.checkpoints)
        if (m.value < static_cast<int>(order.size())) order[m.value] = &m;
    for (const GridMarker* m : order)
        if (!m) return;  // numbering problems are reported already; legs make no sense then
    for (std::size_t i = 0; i < order.size() && order.size() > 1; ++i) {
        const GridMarker& a = *order[i];
        const GridMarker& b = *order[(i + 1) % order.size()];
        Vector3 pa = circuit.vertex(a), pb = circuit.vertex(b);
        double leg = length(Vector3(pb.x - pa.x, 0, pb.z - pa.z));
        std::string name = "leg from checkpoint " + std::to_string(a.value) + " to " + std::to_string(b.value);
        if (leg <= rules.arrivalRadius)
            problems.push_back({a.x, a.y, name + " is " + number(leg) + " long; a pod reaching one reaches the other"});
        if (leg > rules.longestLeg)
            problems.push_back({a.x, a.y, name + " is " + number(leg) + " long, more than " + number(rules.longestLeg)});
        int steps = std::max(1, static_cast<int>(leg / circuit.gridSpacing * 4));
        for (int s = 0; s <= steps; ++s) {
            double t = static_cast<double>(s) / steps;
            Vector3 normal;
            double ground = circuit.terrain.groundAt(pa + (pb - pa) * t, normal).y;
            if (ground >= rules.trackGroundLimit) {
                problems.push_back({static_cast<int>(std::lround(a.x + (b.x - a.x) * t)), static_cast<int>(std::lround(a.y + (b.y - a.y) * t)),
                                    "ground " + number(ground) + " on the " + name + " (track ground must stay below " +
                                        number(rules.trackGroundLimit) + ")"});
                break;
            }
        }
    }
}

double distanceToLegs(const Terrain& terrain, const Vector3& p) {
    const int n = terrain.checkpointCount();
    double best = 1e300;
    for (int i = 0; i < n; ++i) {
        Vector3 a = terrain.checkpoint(i), b = terrain.checkpoint((i + 1) % n);
        a.y = b.y = 0;
        Vector3 q(p.x, 0, p.z);
        Vector3 ab = b - a;
        double t = lengthSquared(ab) > 0 ? std::clamp(dot(q - a, ab) / lengthSquared(ab), 0.0, 1.0) : 0.0;
        best = std::min(best, length(q - (a + ab * t)));
    }
    return best;
}

void checkBonuses(const CheckedCircuit& circuit, const CircuitRules& rules, bool legsSound, std::vector<CircuitProblem>& problems) {
    const auto& marks = circuit.marks.bonuses;
    if (marks.size() >= 255)
        problems.push_back({marks[0].x, marks[0].y, std::to_string(marks.size()) + " bonus markers; there must be fewer than 255"});
    bool seen[3] = {false, false, false};
    for (const GridMarker& m : marks) {
        if (m.value < 253 || m.value > 255) {
            problems.push_back({m.x, m.y, "bonus marker of unknown type " + std::to_string(m.value) + " (known: 253, 254, 255)"});
            continue;
        }
        seen[255 - m.value] = true;
        if (legsSound) {
            double off = distanceToLegs(circuit.terrain, circuit.vertex(m));
            if (off > rules.bonusOffLine)
                problems.push_back({m.x, m.y, "bonus " + number(off) + " away from the line between checkpoints"});
        }
    }
    const char* names[3] = {"missile reload (255)", "money (254)", "boost (253)"};
    for (int k = 0; k < 3; ++k)
        if (!seen[k]) problems.push_back({0, 0, std::string("no ") + names[k] + " bonus: the circuit needs a mix of all three"});
}

}  // namespace

std::vector<CircuitProblem> checkCircuit(const Image& heightmap, double heightScale, double gridSpacing, const CircuitRules& rules) {
    std::vector<CircuitProblem> problems;
    if (heightmap.getWidth() < 2 || heightmap.getHeight() < 2) {
        problems.push_back({0, 0, "the heightmap is empty or could not be read"});
        return problems;
    }
    if (heightmap.getWidth() > Terrain::MAX_GRID_SIDE || heightmap.getHeight() > Terrain::MAX_GRID_SIDE) {
        problems.push_back({0, 0, "heightmap of " + std::to_string(heightmap.getWidth()) + " x " +
                                      std::to_string(heightmap.getHeight()) + " samples; the game refuses more than " +
                                      std::to_string(Terrain::MAX_GRID_SIDE) + " a side"});
        return problems;
    }
    const CheckedCircuit circuit(heightmap, heightScale, gridSpacing);
    checkNumbering(circuit, rules, problems);
    std::size_t before = problems.size();
    checkLegs(circuit, rules, problems);
    checkBonuses(circuit, rules, before == 0, problems);
    return problems;
}

std::string describe(const CircuitProblem& problem) {
    return std::to_string(problem.x) + " " + std::to_string(problem.y) + ": " + problem.message;
}

#include "race/WayBack.h"

#include "entities/Entity.h"
#include "geometry/Frame.h"
#include "terrain/Terrain.h"

#include <algorithm>
#include <cmath>

namespace {
Vector3 level(const Vector3& v) { return Vector3(v.x, 0.0, v.z); }
}

double levelDistanceFromLeg(const Vector3& from, const Vector3& to, const Vector3& point) {
    const Vector3 leg = level(to - from);
    const Vector3 offset = level(point - from);
    const double legSquared = lengthSquared(leg);
    const double along = legSquared > 0.0 ? std::clamp(dot(offset, leg) / legSquared, 0.0, 1.0) : 0.0;
    return length(offset - leg * along);
}

bool offRoad(const Terrain& circuit, int nextCheckpoint, const Vector3& position) {
    const int n = Entity::circuitLength(circuit);
    if (n < 2 || nextCheckpoint < 0 || nextCheckpoint >= n) return false;
    Vector3 normal;
    const double bed = circuit.checkpoint(nextCheckpoint).y - Terrain::MARKER_LIFT;
    if (circuit.groundAt(position, normal).y > bed + OFF_ROAD_RISE) return true;
    const Vector3 passed = circuit.checkpoint((nextCheckpoint + n - 1) % n);
    const Vector3 before = circuit.checkpoint((nextCheckpoint + n - 2) % n);
    return levelDistanceFromLeg(passed, circuit.checkpoint(nextCheckpoint), position) > OFF_ROAD_DISTANCE &&
           levelDistanceFromLeg(before, passed, position) > OFF_ROAD_DISTANCE;
}

double wayBackAngle(const Frame& pod, const Vector3& target) {
    const Vector3 toTarget = level(target - pod.position);
    return std::atan2(dot(toTarget, level(pod.left())), dot(toTarget, level(pod.forward())));
}

#pragma once

#include "geometry/Vector3.h"

class Frame;
class Terrain;

// Seen from above, how far the point lies from the straight leg between two checkpoints.
double levelDistanceFromLeg(const Vector3& from, const Vector3& to, const Vector3& point);

// The painted road follows where the pods really fly, which passes each checkpoint within
// its arrival distance and cuts or widens bends: measured on the shipped circuits, no point of
// the road (its edges included) lies farther than 21200 units from the two legs between the
// checkpoint a pod heads for, the one it passed and the one before (circuit 2's hairpins;
// 17000 on circuit 1, 13800 on circuit 3). Farther than this from both, a pod is off the road.
constexpr double OFF_ROAD_DISTANCE = 22000.0;

// The road lies flat on the track bed, the ground the checkpoints stand over; nowhere on the
// shipped circuits does the road or its edges rise above it. Ground this much higher under a
// pod is a hillside, a rock or a cliff's foot, however near the road.
constexpr double OFF_ROAD_RISE = 300.0;

// Off the road: over ground OFF_ROAD_RISE above the track bed, or farther than
// OFF_ROAD_DISTANCE from the leg it flies (from the checkpoint last passed to nextCheckpoint)
// and from the leg before, which a pod that has just passed a checkpoint is still beside
// (lakes and sea lie at or below the bed). Cheap enough for every frame: one ground query,
// three checkpoints and a few products.
bool offRoad(const Terrain& circuit, int nextCheckpoint, const Vector3& position);

// Seen from above, the turn from where the pod faces to the target, in radians: 0 straight
// ahead, positive to its left, up to pi either way behind. The head-up display's arrow is
// turned by it, so that it turns as the pod turns.
double wayBackAngle(const Frame& pod, const Vector3& target);

#pragma once

#include <vector>

// The time of each part of one race frame, in milliseconds. Drawing parts include the
// renderer's work on them (each ends with glFinish).
struct FrameParts {
    double camera = 0;      // viewing transform, and rebuilding the camera after the motion
    double entities = 0;    // pods, missiles and bonuses in view, with the lights
    double terrain = 0;     // culling and sending the ground, fog
    double terrainCulling = 0;  // of which choosing the triangles (timed on its own, again)
    double terrainSending = 0;  // of which culling and sending, before the renderer finishes
    double sky = 0;         // the five sky faces
    double hud = 0;         // the head-up display, missile aiming included
    double simulation = 0;  // every update, the autopilot, collisions, every physics step
};

// What one circuit's run measured.
struct CircuitFigures {
    int circuit = 0;                   // 0..2; for a generated map, circuit 1's tuning
    int mapSize = 0;                   // a generated map's side in samples; 0: the circuit's own map
    int viewDistance = 0;
    double setUpMs = 0;                // set-up until the end of the first race frame
    std::vector<double> frameMs;       // whole race frames, as the game runs them
    std::vector<double> frameCpuMs;    // processor time of those frames, every thread of the process
    std::vector<double> frameMainCpuMs;  // of which the game's own thread
    std::vector<FrameParts> parts;     // the same frames again, timed part by part
    std::vector<double> triangles;     // terrain triangles sent per frame
    std::vector<double> floorMs;       // the same ground in one vertex-array call per frame
    std::vector<double> choosingCpuMs;  // the game thread choosing the ground's triangles (Floor.h)
    std::vector<double> groundCpuMs;    // the game thread choosing and sending them
    std::vector<double> wholeFloorMs;  // the same frames whole, drawn the fastest way (WholeFloor.h)
    bool samePath = true;              // the timed-by-part run drew the same triangles
    std::vector<double> soundMs;       // the sound's update after each whole frame (part of it)
    double soundThreadsShare = 0;      // the sound's mixing threads, processor time / wall time
};

// Median and 95th percentile (nearest rank).
struct Spread {
    double median = 0;
    double p95 = 0;
};
Spread spreadOf(std::vector<double> values);

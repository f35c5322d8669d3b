#pragma once

// The nine tuning values of a body, in setParameters' order.
struct BodyTuning {
    double mass;
    double enginePower;
    double brakeDrag;
    double drag;
    double bankFactor;
    double pitchFactor;
    double ceiling;
    double bobAmplitude;
    double grip;
};

// The race's three kinds of tuned body; missiles copy their pod's.
constexpr BodyTuning PLAYER_POD_TUNING{1000.0, 15000000.0, 3000.0, 500.0, 5.0, 5.0, 5000.0, 50.0, 0.15};
constexpr BodyTuning AI_POD_TUNING{1000.0, 15000000.0, 3000.0, 500.0, 5.0, 5.0, 5000.0, 50.0, 0.35};
constexpr BodyTuning BONUS_TUNING{1000.0, 1.0, 3000.0, 500.0, 5.0, 5.0, 4000.0, 50.0, 0.55};

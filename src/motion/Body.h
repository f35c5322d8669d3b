#pragma once

#include "geometry/Frame.h"
#include "motion/BodyTuning.h"

#include <cstdint>

// The motion record of one entity (and of the camera): a frame, its velocity, the inputs
// gathered since the last step and nine tuning values. step() integrates over the real
// milliseconds since this body's previous step, at most MAX_STEP_MS; turning and climbing
// happen once per step.
class Body {
public:
    Body(const Vector3& position, const Vector3& lookPoint, const Vector3& up);
    // Copies everything but the input signs, which start at 0.
    Body(const Body& other);
    Body& operator=(const Body&) = delete;

    void setParameters(double mass, double enginePower, double brakeDrag, double drag, double bankFactor,
                       double pitchFactor, double ceiling, double bobAmplitude, double grip);
    void setParameters(const BodyTuning& tuning);

    Vector3 position() const { return frame_.position; }
    Vector3 lookPoint() const { return frame_.lookPoint; }
    Vector3 up() const { return frame_.up; }
    Vector3 velocity() const { return velocity_; }
    void setVelocity(const Vector3& velocity) { velocity_ = velocity; }
    const Frame& frame() const { return frame_; }

    // Inputs, consumed by the next step.
    void thrust(double amount);
    void sideThrust(double amount);
    void setBrake(double brake);  // kept with its sign
    void yawInput(double amount);
    void climbInput(double amount);

    // The milliseconds the coming step will integrate: the time since the last step, at most
    // MAX_STEP_MS.
    std::uint32_t msSinceStep() const;
    void step();

    // Frame operations on the body's frame.
    void yaw(double angle) { frame_.yaw(angle); }
    void pitch(double angle) { frame_.pitch(angle); }
    void roll(double angle) { frame_.roll(angle); }
    void moveForward(double distance) { frame_.moveForward(distance); }
    void moveRight(double distance) { frame_.moveRight(distance); }
    void moveUp(double distance) { frame_.moveUp(distance); }
    // Along world axes, orientation unchanged: the camera out of a hill, a pod back onto the grid.
    void shift(const Vector3& offset) {
        frame_.position = frame_.position + offset;
        frame_.lookPoint = frame_.lookPoint + offset;
    }

    // Anywhere, facing anything: the chase camera moved out of the ground.
    void place(const Frame& frame) { frame_ = frame; }
    // At rest: no velocity, no turn or climb left to decay, no input waiting for the step.
    void stop();

    // The frame as drawn: banked by the yaw rate, pitched by the climb rate, bobbing.
    // The body itself is unchanged.
    Frame tilted() const;
    void applyCamera(bool effects) const;
    void applyTransform() const;

    // Read-only views for drawing and tests.
    double yawRate() const { return yawRate_; }
    double climbRate() const { return climbRate_; }
    double brake() const { return brake_; }
    Vector3 thrustForce() const { return thrustForce_; }
    Vector3 sideForce() const { return sideForce_; }
    std::uint32_t lastStepTime() const { return lastStepTime_; }
    double bobPhase() const { return bobPhase_; }
    BodyTuning tuning() const;

private:
    Frame frame_;
    std::uint32_t lastStepTime_ = 0;
    double ceiling_ = 0;
    double mass_ = 0;
    double drag_ = 0;
    double enginePower_ = 0;
    double yawRate_ = 0;
    Vector3 thrustForce_{0, 0, 0};
    Vector3 sideForce_{0, 0, 0};
    Vector3 velocity_{0, 0, 0};
    double brakeDrag_ = 0;
    double brake_ = 0;
    double bankFactor_ = 0;
    double climbRate_ = 0;
    double pitchFactor_ = 0;
    double bobAmplitude_ = 0;
    double bobPhase_ = 0;
    double grip_ = 0;
    std::int8_t yawSign_ = 0;
    std::int8_t climbSign_ = 0;
};

// The chase camera: a copy of the followed body moved back by distance, up by a third of it,
// and pitched by distance / 40 radians (not reduced: 2000 gives 50 radians). Distance 0 is
// the cockpit view, the plain copy.
Body chaseCamera(const Body& followed, double distance);

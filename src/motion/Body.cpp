#include "motion/Body.h"

#include "app/services/Clock.h"

#include <cmath>
#include <cstdlib>

namespace {

// Turn and climb rates are radians per step, held within this limit.
constexpr double RATE_LIMIT = 0.08;
// Without input a rate shrinks by this factor at every step.
constexpr double RATE_DECAY = 1.15;

// The time a step starting now integrates: everything since the previous step, at most
// MAX_STEP_MS. Unsigned difference: right across the 32-bit wrap of the clock.
std::uint32_t stepMs(std::uint32_t lastStep, std::uint32_t now) {
    const std::uint32_t elapsed = now - lastStep;
    return elapsed < MAX_STEP_MS ? elapsed : MAX_STEP_MS;
}

double stepSeconds(std::uint32_t lastStep, std::uint32_t now) { return stepMs(lastStep, now) / 1000.0; }

// The shared ramp of yawInput and climbInput: slow from rest, faster once moving, and
// following the coming step's time so its duration hardly depends on the frame rate.
void rampRate(double& rate, std::int8_t& sign, double amount, double dt) {
    const double limit = (std::fabs(rate) / 25.0 + 0.004) * 20.0;
    const double gain = limit > std::fabs(amount) ? std::fabs(amount) : limit;
    rate += amount * dt * gain;
    if (rate < -RATE_LIMIT) rate = -RATE_LIMIT;
    if (rate > RATE_LIMIT) rate = RATE_LIMIT;
    sign = amount >= 0.0 ? 1 : -1;
}

}  // namespace

// The tuning starts at 0 (setParameters gives the real values) so that copying or reading an
// untuned body never touches indeterminate memory.
Body::Body(const Vector3& position, const Vector3& lookPoint, const Vector3& up)
    : frame_(position, lookPoint, up),
      lastStepTime_(clockMs()),
      ceiling_(0.0),
      mass_(0.0),
      drag_(0.0),
      enginePower_(0.0),
      yawRate_(0.0),
      thrustForce_(0.0, 0.0, 0.0),
      sideForce_(0.0, 0.0, 0.0),
      velocity_(0.0, 0.0, 0.0),
      brakeDrag_(0.0),
      brake_(0.0),
      bankFactor_(0.0),
      climbRate_(0.0),
      pitchFactor_(0.0),
      bobAmplitude_(0.0),
      bobPhase_(static_cast<double>(std::rand())),
      grip_(0.0),
      yawSign_(0),
      climbSign_(0) {}

Body::Body(const Body& other)
    : frame_(other.frame_),
      lastStepTime_(other.lastStepTime_),
      ceiling_(other.ceiling_),
      mass_(other.mass_),
      drag_(other.drag_),
      enginePower_(other.enginePower_),
      yawRate_(other.yawRate_),
      thrustForce_(other.thrustForce_),
      sideForce_(other.sideForce_),
      velocity_(other.velocity_),
      brakeDrag_(other.brakeDrag_),
      brake_(other.brake_),
      bankFactor_(other.bankFactor_),
      climbRate_(other.climbRate_),
      pitchFactor_(other.pitchFactor_),
      bobAmplitude_(other.bobAmplitude_),
      bobPhase_(other.bobPhase_),
      grip_(other.grip_),
      yawSign_(0),
      climbSign_(0) {}

void Body::setParameters(double mass, double enginePower, double brakeDrag, double drag, double bankFactor,
                         double pitchFactor, double ceiling, double bobAmplitude, double grip) {
    mass_ = mass;
    enginePower_ = enginePower;
    brakeDrag_ = brakeDrag;
    drag_ = drag;
    bankFactor_ = bankFactor;
    pitchFactor_ = pitchFactor;
    ceiling_ = ceiling;
    bobAmplitude_ = bobAmplitude;
    grip_ = grip;
}

void Body::setParameters(const BodyTuning& tuning) {
    setParameters(tuning.mass, tuning.enginePower, tuning.brakeDrag, tuning.drag, tuning.bankFactor,
                  tuning.pitchFactor, tuning.ceiling, tuning.bobAmplitude, tuning.grip);
}

BodyTuning Body::tuning() const {
    return BodyTuning{mass_, enginePower_, brakeDrag_, drag_, bankFactor_, pitchFactor_, ceiling_, bobAmplitude_, grip_};
}

void Body::thrust(double amount) { thrustForce_ += frame_.forward() * (amount * enginePower_); }

void Body::sideThrust(double amount) { sideForce_ += frame_.right() * (amount * enginePower_ * 0.01); }

void Body::setBrake(double brake) { brake_ = brake; }

void Body::yawInput(double amount) { rampRate(yawRate_, yawSign_, amount, stepSeconds(lastStepTime_, clockMs())); }

void Body::climbInput(double amount) {
    rampRate(climbRate_, climbSign_, amount, stepSeconds(lastStepTime_, clockMs()));
}

void Body::stop() {
    velocity_ = Vector3(0.0, 0.0, 0.0);
    thrustForce_ = Vector3(0.0, 0.0, 0.0);
    sideForce_ = Vector3(0.0, 0.0, 0.0);
    yawRate_ = 0.0;
    climbRate_ = 0.0;
    brake_ = 0.0;
}

std::uint32_t Body::msSinceStep() const { return stepMs(lastStepTime_, clockMs()); }

void Body::step() {
    // One clock reading serves both the time step and the new lastStepTime, so no
    // millisecond falls between two steps.
    const std::uint32_t now = clockMs();

    // 1. Upward speed is limited by the ceiling value.
    if (velocity_.y > ceiling_) velocity_.y = 0.0;

    // 2. Look point exactly one unit ahead.
    const Vector3 f = frame_.forward();
    frame_.lookPoint = frame_.position + f;

    // 3. The body integrates over the time since its own previous step, at most MAX_STEP_MS:
    // the rest of a stall is dropped, not integrated.
    const double dt = stepSeconds(lastStepTime_, now);

    // 4. Grip: damp velocity that does not point along forward (k is 0 straight ahead,
    // 1 sideways, 2 backwards).
    const double speed = length(velocity_);
    if (speed > 1e-7 && velocity_ != Vector3(0.0, 0.0, 0.0)) {
        const double k = 1.0 - dot(velocity_ / speed, f);
        velocity_ = velocity_ / (1.0 + k * grip_ / 18.0);
    }

    // 5. Net force; the brake keeps its sign, so a negative brake lowers the drag.
    const double dragCoefficient = drag_ + brakeDrag_ * brake_;
    const Vector3 force = thrustForce_ + sideForce_ - velocity_ * dragCoefficient;

    // 6. New position.
    Vector3 newPosition = frame_.position + velocity_ * dt + (force * (0.5 / mass_)) * dt * dt;

    // 7. Climb, per step and on the position only; at or above the ceiling only a dive.
    const double heightBefore = frame_.position.y;
    if (heightBefore < ceiling_ || climbRate_ < 0.0) newPosition += frame_.up * (climbRate_ * 0.3 * ceiling_);

    // 8. Above the ceiling the vertical motion starts from the ceiling height.
    if (heightBefore > ceiling_) newPosition.y += ceiling_ - heightBefore;

    // 9. New velocity, from the same force and time step.
    const Vector3 newVelocity = velocity_ + (force / mass_) * dt;

    // 10. Translate the frame; orientation unchanged.
    const Vector3 delta = newPosition - frame_.position;
    frame_.position += delta;
    frame_.lookPoint += delta;

    // 11. Turn once per step, whatever its length.
    frame_.yaw(yawRate_);

    // 12. Rates decay only in steps without their input.
    if (yawSign_ == 0) yawRate_ /= RATE_DECAY;
    if (climbSign_ == 0) climbRate_ /= RATE_DECAY;

    // 13. Consume the inputs.
    thrustForce_ = Vector3(0.0, 0.0, 0.0);
    sideForce_ = Vector3(0.0, 0.0, 0.0);
    velocity_ = newVelocity;
    lastStepTime_ = now;
    brake_ = 0.0;
    yawSign_ = 0;
    climbSign_ = 0;
}

// Bank, pitch and bob exist only on screen; they never feed back into motion.
Frame Body::tilted() const {
    Frame shown = frame_;
    shown.roll(bankFactor_ * yawRate_);
    shown.pitch(pitchFactor_ * climbRate_);
    const double seconds = lastStepTime_ / 1000.0;
    shown.moveUp(bobAmplitude_ * std::cos(2.0 * seconds + bobPhase_));
    return shown;
}

void Body::applyCamera(bool effects) const {
    if (effects) {
        tilted().lookAt();
    } else {
        frame_.lookAt();
    }
}

void Body::applyTransform() const { tilted().multMatrix(); }

Body chaseCamera(const Body& followed, double distance) {
    Body camera(followed);
    if (distance != 0.0) {
        camera.moveForward(-distance);
        camera.moveUp(distance / 3.0);
        camera.pitch(distance / 40.0);  // radians as they are: 2000 gives 50
    }
    return camera;
}

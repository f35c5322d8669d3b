#include "content/AiFlight.h"

#include <cmath>

namespace {

// The AI pod's tuning.
constexpr double MASS = 1000, ENGINE = 15000000, BRAKE_DRAG = 3000, DRAG = 500, CEILING = 5000, GRIP = 0.35;
constexpr double ARRIVAL_SQUARED = 300000000.0;
constexpr double BONUS_CEILING = 4000;

struct Pod {
    Vector3 position, forward, up{0, 1, 0};
    Vector3 velocity{0, 0, 0}, thrust{0, 0, 0};
    double yawRate = 0, climbRate = 0, brake = 0;
    bool yawed = false, climbed = false;
    int next = 1, laps = 0;
};

Vector3 unit(const Vector3& v) { return v / length(v); }

void ramp(double& rate, double input, double dt) {
    double limit = (std::fabs(rate) / 25 + 0.004) * 20;
    double gain = limit > std::fabs(input) ? std::fabs(input) : limit;
    rate += input * dt * gain;
    rate = rate < -0.08 ? -0.08 : (rate > 0.08 ? 0.08 : rate);
}

void steer(Pod& pod, const std::vector<Vector3>& checkpoints, double dt) {
    Vector3 d = checkpoints[pod.next] - pod.position;
    if (lengthSquared(d) < ARRIVAL_SQUARED) {
        pod.next = (pod.next + 1) % static_cast<int>(checkpoints.size());
        if (pod.next == 0) ++pod.laps;
    }
    Vector3 u = unit(d);
    Vector3 f = unit(Vector3(u.x, 0, u.z));
    Vector3 h = unit(Vector3(pod.forward.x, 0, pod.forward.z));
    double a = std::acos(dot(f, h));
    if (dot(f, Vector3(h.z, 0, -h.x)) < 0) a = -a;
    double k = 2 * u.y;
    if (std::fabs(a) > 0.05) {
        ramp(pod.yawRate, 2 * a, dt);
        pod.yawed = true;
        pod.brake = a / 8;
    }
    if (std::fabs(k) > 0.05) {
        ramp(pod.climbRate, k, dt);
        pod.climbed = true;
    }
    pod.thrust += pod.forward * (1.2 * ENGINE);
}

// The lift out of the ground, corner by corner, as the collision pass does it.
bool liftOutOfGround(Pod& pod, const HeightGrid& grid) {
    bool touched = false;
    Vector3 p = pod.position;
    for (int j = 0; j < 8; ++j) {
        Vector3 q(p.x + ((j & 1) ? POD_HALF_LENGTH : -POD_HALF_LENGTH), p.y + ((j & 2) ? POD_HALF_HEIGHT : -POD_HALF_HEIGHT),
                  p.z + ((j & 4) ? POD_HALF_WIDTH : -POD_HALF_WIDTH));
        double depth = q.y - grid.groundAt(q.x, q.z);
        if (depth < 0) {
            pod.velocity = grid.normalAt(q.x, q.z) * (0.5 * length(pod.velocity));
            pod.position.y -= depth;
            touched = true;
        }
    }
    return touched;
}

void physicsStep(Pod& pod, double dt) {
    if (pod.velocity.y > CEILING) pod.velocity.y = 0;
    Vector3 f = pod.forward;
    double s = length(pod.velocity);
    if (s > 1e-7) pod.velocity = pod.velocity / (1 + (1 - dot(pod.velocity / s, f)) * GRIP / 18);
    Vector3 force = pod.thrust - pod.velocity * (DRAG + BRAKE_DRAG * pod.brake);
    Vector3 next = pod.position + pod.velocity * dt + force * (0.5 / MASS) * dt * dt;
    if (pod.position.y < CEILING || pod.climbRate < 0) next += pod.up * (pod.climbRate * 0.3 * CEILING);
    if (pod.position.y > CEILING) next.y += CEILING - pod.position.y;
    pod.velocity += force / MASS * dt;
    pod.position = next;
    Vector3 left = unit(cross(pod.up, f));
    pod.forward = f * std::cos(pod.yawRate) + left * std::sin(pod.yawRate);
    if (!pod.yawed) pod.yawRate /= 1.15;
    if (!pod.climbed) pod.climbRate /= 1.15;
    pod.thrust = Vector3(0, 0, 0);
    pod.brake = 0;
    pod.yawed = pod.climbed = false;
}

}  // namespace

FlightResult simulateAiFlight(const HeightGrid& grid, const FlightSettings& settings) {
    FlightResult result;
    std::vector<Vector3> checkpoints = grid.checkpointsInOrder();
    if (checkpoints.size() < 2) return result;
    Pod pod;
    pod.position = checkpoints[0];
    pod.forward = unit(checkpoints[1] - checkpoints[0]);
    Vector3 left = unit(cross(pod.up, pod.forward));
    pod.position -= left * settings.sideOffset;

    double dt = settings.frameMs / 1000.0;
    while (result.timeMs < settings.timeLimitMs && pod.laps < settings.laps) {
        steer(pod, checkpoints, dt);
        if (liftOutOfGround(pod, grid)) ++result.groundContacts;
        physicsStep(pod, dt);
        result.timeMs += settings.frameMs;
        result.path.push_back({pod.position, pod.laps});
    }
    result.laps = pod.laps;
    result.finished = pod.laps >= settings.laps;
    return result;
}

bool podTouchesBonus(const Vector3& pod, const Vector3& bonus) {
    return std::fabs(pod.x - bonus.x) < POD_HALF_LENGTH + BONUS_HALF_SIZE &&
           std::fabs(pod.y - bonus.y) < POD_HALF_HEIGHT + BONUS_HALF_SIZE &&
           std::fabs(pod.z - bonus.z) < POD_HALF_WIDTH + BONUS_HALF_SIZE;
}

Vector3 bonusPosition(const HeightGrid& grid, int x, int y) {
    Vector3 p = grid.vertex(x, y) + Vector3(0, HeightGrid::HANG_HEIGHT, 0);
    if (p.y > BONUS_CEILING) p.y = BONUS_CEILING;
    return p;
}

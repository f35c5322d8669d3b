#include "race/Hud.h"

#include "app/services/Clock.h"
#include "app/services/Text.h"
#include "entities/Entity.h"
#include "motion/Body.h"
#include "race/HudShapes.h"
#include "race/Race.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr double SPEED_UNIT = 50.0;
constexpr std::uint32_t FRAME_RATE_WINDOW_MS = 1000;
constexpr std::uint32_t MISSILE_SIGN_SHOWN_MS = 500;
// Beyond this a speed could not be converted to int; no real pod gets anywhere near.
constexpr double SPEED_SHOWN_MAX = 999999.0;

struct Colour {
    double r = 0, g = 0, b = 0;
};
constexpr Colour LABEL_BLUE{0.8, 0.8, 1.0};
constexpr Colour WHITE{1.0, 1.0, 1.0};
constexpr Colour RED{1.0, 0.1, 0.1};
constexpr Colour YELLOW{1.0, 1.0, 0.1};

void text(double x1, double y1, double x2, double y2, const std::string& s, Colour c) {
    drawText(x1, y1, x2, y2, s.c_str(), c.r, c.g, c.b);
}

// The one counter of the process, kept from race to race.
FrameRateCounter counter;
}

std::string speedText(const Vector3& velocity) {
    double speed = length(velocity / SPEED_UNIT);
    if (!(speed <= SPEED_SHOWN_MAX)) speed = SPEED_SHOWN_MAX;  // NaN too
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%3d", static_cast<int>(speed));
    return buffer;
}

std::string twoDigitText(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%2d", value);
    return buffer;
}

std::string raceTimeText(int ms) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%2d' %2d\" %02d", (ms / 1000) / 60, (ms / 1000) % 60, (ms / 10) % 100);
    return buffer;
}

std::string boostText(int boostMs) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", boostMs / 1000.0);
    return buffer;
}

int rankOf(const std::vector<Entity*>& pods, const Entity* pod) {
    const auto place = std::find(pods.begin(), pods.end(), pod);
    return place == pods.end() ? 0 : static_cast<int>(place - pods.begin());
}

std::uint32_t FrameRateCounter::countFrame(std::uint32_t now) {
    const std::uint32_t elapsed = now - windowStart_;
    ++frameCount_;
    if (elapsed > FRAME_RATE_WINDOW_MS) {
        windowStart_ = now;
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%3d", frameCount_);
        text_ = buffer;
        frameCount_ = 0;
    }
    return elapsed;
}

bool missileSignShown(int missileReady, std::uint32_t windowElapsed) {
    return missileReady != 0 && windowElapsed < MISSILE_SIGN_SHOWN_MS;
}

void drawHud(const Race& race) {
    // Under the texts, which the batch sends at its end.
    drawDarkening(race.rescueDarkness());
    if (race.wayBackShown()) drawWayBackArrow(race.wayBackAngle());
    const TextBatch oneCallForAllTexts(TextLook::Outlined);
    const Entity& viewed = *race.entityAt(race.viewedIndex());

    text(0.75, 0.90, 0.96, 0.94, "VITESSE", LABEL_BLUE);
    text(0.75, 0.95, 0.96, 0.99, speedText(viewed.body()->velocity()), WHITE);
    text(0.01, 0.90, 0.20, 0.94, "POSITION", LABEL_BLUE);
    text(0.01, 0.95, 0.20, 0.99, twoDigitText(rankOf(race.pods(), &viewed) + 1), LABEL_BLUE);
    text(0.01, 0.80, 0.20, 0.84, "TEMPS", LABEL_BLUE);
    const int raceTime = static_cast<int>(clockMs() - viewed.startTime());
    text(0.01, 0.85, 0.30, 0.89, raceTimeText(raceTime), LABEL_BLUE);
    text(0.90, 0.01, 0.99, 0.05, "TOUR", RED);
    text(0.90, 0.052, 0.99, 0.11, twoDigitText(viewed.laps()), WHITE);

    const std::uint32_t windowElapsed = counter.countFrame(clockMs());
    text(0.01, 0.01, 0.10, 0.05, "FPS", RED);
    text(0.01, 0.052, 0.10, 0.11, counter.text(), WHITE);
    if (missileSignShown(viewed.missileReady(), windowElapsed))
        text(0.70, 0.015, 0.77, 0.10, std::string(1, static_cast<char>(MISSILE_SIGN)), RED);
    text(0.25, 0.00, 0.30, 0.05, "$", RED);
    text(0.25, 0.06, 0.30, 0.11, twoDigitText(viewed.money()), WHITE);
    text(0.475, 0.00, 0.525, 0.05, "&", YELLOW);
    text(0.475, 0.06, 0.525, 0.11, boostText(viewed.boost()), WHITE);
    // Large, over the middle of the picture, just above where the chase views hold the pod.
    if (race.wrongWay()) text(0.20, 0.38, 0.80, 0.48, "MAUVAIS SENS", RED);
    // Below the pod, which the chase views hold just under the middle.
    if (race.rescueHintShown()) {
        text(0.2375, 0.66, 0.7625, 0.70, RESCUE_HINT[0], YELLOW);
        text(0.1875, 0.71, 0.8125, 0.75, RESCUE_HINT[1], YELLOW);
    }
    // Between the position and the speed, where the player looks for his own values.
    if (race.cameraFollowsAnother()) {
        text(0.305, 0.90, 0.68, 0.94, CAMERA_ELSEWHERE[0], LABEL_BLUE);
        text(0.2475, 0.95, 0.7375, 0.99, CAMERA_ELSEWHERE[1], WHITE);
    }
}

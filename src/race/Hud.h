#pragma once

#include "geometry/Vector3.h"

#include <cstdint>
#include <string>
#include <vector>

class Entity;
class Race;

// The texts of the head-up display, each as the font shows it.
// Speed in whole units of velocity / 50, "%3d".
std::string speedText(const Vector3& velocity);
// Any "%2d" value: rank, laps, money.
std::string twoDigitText(int value);
// Minutes (never wrapped), seconds and hundredths in two digits: "%2d' %2d\" %02d".
std::string raceTimeText(int ms);
// Boost reserve in seconds with one decimal.
std::string boostText(int boostMs);

// The pod's place in the ranked list, 0 for the leader; a pod not in the list counts as 0.
int rankOf(const std::vector<Entity*>& pods, const Entity* pod);

// Frames counted over windows of a little more than a second. The first count of the
// process opens a window at once and shows 1.
class FrameRateCounter {
public:
    // Counts one frame at `now`; returns the time since the window began, before any reset.
    std::uint32_t countFrame(std::uint32_t now);
    // "%3d" of the frames of the last finished window; empty before the first.
    const std::string& text() const { return text_; }

private:
    std::uint32_t windowStart_ = 0;
    int frameCount_ = 0;
    std::string text_;
};

// The missile sign blinks with the frame-rate window: shown in its first half second only.
bool missileSignShown(int missileReady, std::uint32_t windowElapsed);

// Two lines each, in the font's letters (it has no colon or dash): the rescue key, for a pod
// held off the road, and the key that brings the camera home while it follows another entity.
constexpr const char* RESCUE_HINT[2] = {"TOUCHE RETOUR ARRIERE", "POUR REVENIR SUR LA ROUTE"};
constexpr const char* CAMERA_ELSEWHERE[2] = {"CAMERA AILLEURS", "ORIGINE POUR REVENIR"};

// Speed, position, time, laps, frame rate, missile, money and boost of the viewed entity,
// "MAUVAIS SENS" while it goes the wrong way, the arrow to the next checkpoint off the road or
// the wrong way, the rescue key's hint, the camera's and the rescue's darkening, every text in
// a dark outline. Only the frame-rate counter, display state, changes.
void drawHud(const Race& race);

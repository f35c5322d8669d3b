#include "race/Race.h"

namespace {
unsigned int followedEntity = 0;
int currentViewDistance = START_VIEW_DISTANCE;
std::unique_ptr<Race> race;
}

unsigned int cameraIndex() { return followedEntity; }
void setCameraIndex(unsigned int index) { followedEntity = index; }
int viewDistance() { return currentViewDistance; }
void setViewDistance(int distance) { currentViewDistance = distance; }

Race* currentRace() { return race.get(); }
void setCurrentRace(std::unique_ptr<Race> next) { race = std::move(next); }
void destroyCurrentRace() { race.reset(); }

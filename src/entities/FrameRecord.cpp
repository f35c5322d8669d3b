#include "entities/FrameRecord.h"

void FrameRecord::begin(std::uint32_t timeMs) {
    timeMs_ = timeMs;
    events_.clear();
    drives_.clear();
}

void FrameRecord::reserve(std::size_t entities) {
    // At most a launch and a strike per missile, a pick-up per bonus, a contact and a
    // checkpoint per pod.
    events_.reserve(2 * entities);
    drives_.reserve(entities);
}

void FrameRecord::add(const FrameEvent& event) {
    events_.push_back(event);
    if (event.kind != FrameEvent::Kind::Strike) return;
    impacts_[static_cast<std::size_t>(nextImpact_)] = Impact{event.position, timeMs_, true};
    nextImpact_ = (nextImpact_ + 1) % IMPACTS_KEPT;
}

void FrameRecord::drive(const Entity* pod, double thrust, bool boosting) {
    drives_.push_back(PodDrive{pod, thrust, boosting});
}

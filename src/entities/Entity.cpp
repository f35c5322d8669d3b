#include "entities/Entity.h"

#include "assets/Model.h"
#include "entities/FrameRecord.h"
#include "terrain/Terrain.h"

#include <GL/gl.h>

#include <algorithm>

Entity::Entity(Model* model, int kind)
    : model_(model),
      body_(std::make_unique<Body>(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0))),
      kind_(kind),
      halfExtents_(0, 0, 0) {
    if (model_ != nullptr) {
        // No absolute value: the loader turns the file's min..max y into a max..min z, and
        // the box refresh counts on that negative z half extent.
        const Box b = model_->boundingBox();
        halfExtents_ = Vector3((b.corner1.x - b.corner0.x) / 2, (b.corner1.y - b.corner0.y) / 2,
                               (b.corner1.z - b.corner0.z) / 2);
    }
}

Entity::~Entity() = default;

void Entity::note(const FrameEvent& event) const {
    if (record_ != nullptr) record_->add(event);
}

void Entity::draw() const {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    body_->applyTransform();
    if (model_ != nullptr) {
        model_->draw();
    }
    glPopMatrix();
}

const Terrain* Entity::circuit() {
    const Terrain* terrain = currentTerrain();
    if (terrain == nullptr || circuitLength(*terrain) < 2) {
        return nullptr;
    }
    return terrain;
}

int Entity::circuitLength(const Terrain& terrain) {
    return std::min(terrain.checkpointCount(), Terrain::SLOTS);
}

void Entity::replaceBody(std::unique_ptr<Body> body) {
    body_.reset();
    body_ = std::move(body);
}

void Entity::refreshBox() {
    const Vector3 p = body_->position();
    const Vector3& h = halfExtents_;
    box_.corner0 = Vector3(p.x - h.x, p.y - h.y, p.z + h.z);
    box_.corner1 = Vector3(p.x + h.x, p.y + h.y, p.z - h.z);
}

void Entity::refreshProgress() {
    const std::int64_t stage = static_cast<std::int64_t>(laps_) * 10000000000000LL +
                               static_cast<std::int64_t>(nextCheckpoint_) * 10000000000LL;
    double sinceLastPassed = 0.0;
    if (const Terrain* terrain = circuit()) {
        const int n = circuitLength(*terrain);
        const int previous = (nextCheckpoint_ + n - 1) % n;
        sinceLastPassed = lengthSquared(body_->position() - terrain->checkpoint(previous));
    }
    progress_ = static_cast<double>(stage) + sinceLastPassed;
}

#pragma once

#include "entities/EntitySupport.h"

#include "app/services/Clock.h"
#include "app/services/KeySlots.h"
#include "app/services/KeyTable.h"
#include "content/Circuits.h"
#include "content/Models.h"
#include "entities/PlayerPod.h"
#include "race/Race.h"
#include "race/RaceSetup.h"

#include <cmath>
#include <memory>

// A circuit as the game builds it, raced without drawing by the player's pod alone, on the
// test clock at 16 ms a frame.
class SoloRace {
public:
    static constexpr std::uint32_t FRAME_MS = 16;

    explicit SoloRace(const Circuit& circuit) : circuit_(circuit) {
        setTestClock(now_);
        race_ = std::make_unique<Race>(std::make_unique<Terrain>(Vector3(0, 0, 0), circuit.heightmap,
                                                                 circuit.design->heightScale, circuit.design->gridSpacing));
        setCurrentTerrain(race_->terrain());
        for (const ModelAsset& asset : buildModels()) race_->addModel(std::make_unique<BoxModel>(asset.mesh.box));
        auto pod = std::make_unique<Probe<PlayerPod>>(race_->modelAt(POD_MODEL));
        pod_ = pod.get();
        race_->addEntity(std::move(pod));
        race_->start();
    }
    ~SoloRace() {
        race_.reset();
        setCurrentTerrain(nullptr);
        clearKeys();
        useRealClock();
    }

    const Terrain& terrain() const { return *race_->terrain(); }
    Probe<PlayerPod>& pod() { return *pod_; }

    // World point over a heightmap pixel, at checkpoint height above its ground.
    Vector3 above(Point2 pixel) const {
        const double spacing = circuit_.design->gridSpacing;
        Vector3 p((pixel.x - HEIGHTMAP_SIZE / 2) * spacing, 0, (pixel.y - HEIGHTMAP_SIZE / 2) * spacing);
        Vector3 normal;
        p.y = terrain().groundAt(p, normal).y + Terrain::MARKER_LIFT;
        return p;
    }

    // The pod put there, heading that way (horizontal), with every key let go and a full
    // tank of boost.
    void place(const Vector3& position, const Vector3& heading) {
        setTestClock(now_);
        pod_->place(position, position + heading, PLAYER_POD_TUNING);
        pod_->boost() = 1 << 30;
        clearKeys();
    }

    void frame() {
        setTestClock(now_ += FRAME_MS);
        race_->runFrame(false);
        endKeyFrame();
    }

private:
    const Circuit& circuit_;
    std::uint32_t now_ = 1000000;
    std::unique_ptr<Race> race_;
    Probe<PlayerPod>* pod_ = nullptr;
};

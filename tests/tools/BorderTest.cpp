#include "entities/EntitySupport.h"

#include "app/Clock.h"
#include "app/KeySlots.h"
#include "app/KeyTable.h"
#include "content/Circuits.h"
#include "content/Models.h"
#include "entities/PlayerPod.h"
#include "race/Race.h"
#include "race/RaceSetup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr std::uint32_t FRAME_MS = 16;
constexpr std::uint32_t RUN_MS = 60000;
constexpr int PLACES = 16;

// A circuit as the game builds it, raced without drawing by the player's pod alone.
class BorderRun {
public:
    explicit BorderRun(const Circuit& circuit) : circuit_(circuit) {
        setTestClock(now_);
        race_ = std::make_unique<Race>(std::make_unique<Terrain>(Vector3(0, 0, 0), circuit.heightmap,
                                                                 circuit.design->heightScale, circuit.design->gridSpacing));
        setCurrentTerrain(race_->terrain());
        for (const ModelAsset& asset : buildModels()) race_->addModel(std::make_unique<BoxModel>(asset.mesh.box));
        auto pod = std::make_unique<Probe<PlayerPod>>(race_->modelAt(POD_MODEL));
        pod_ = pod.get();
        race_->addEntity(std::move(pod));
        race_->start();
        const Terrain& t = *race_->terrain();
        low_ = t.vertex(0, 0);
        high_ = t.vertex(t.rows() - 1, t.columns() - 1);
    }
    ~BorderRun() {
        race_.reset();
        setCurrentTerrain(nullptr);
    }

    // From the racing line's place, heading at that angle from straight outward toward the
    // direction of racing, thrust and boost held: how far beyond the grid's nearest edge the
    // pod gets (negative: that far inside).
    double farthestBeyondGrid(std::size_t place, double angle) {
        const auto& line = circuit_.centreLine;
        const Point2 p = line[place], ahead = line[(place + 4) % line.size()], behind = line[(place + line.size() - 4) % line.size()];
        Vector3 along(ahead.x - behind.x, 0, ahead.y - behind.y);
        along = along / length(along);
        Vector3 outward(along.z, 0, -along.x);
        const Vector3 fromCentre(p.x - HEIGHTMAP_SIZE / 2, 0, p.y - HEIGHTMAP_SIZE / 2);
        if (dot(outward, fromCentre) < 0) outward = -outward;
        const Vector3 heading = outward * std::cos(angle) + along * std::sin(angle);

        const double spacing = circuit_.design->gridSpacing;
        Vector3 start((p.x - HEIGHTMAP_SIZE / 2) * spacing, 0, (p.y - HEIGHTMAP_SIZE / 2) * spacing);
        Vector3 normal;
        start.y = race_->terrain()->groundAt(start, normal).y + Terrain::MARKER_LIFT;
        setTestClock(now_);
        pod_->place(start, start + heading, PLAYER_POD_TUNING);
        pod_->boost() = static_cast<int>(RUN_MS + FRAME_MS);
        clearKeys();
        onKeyPress(KEY_W, 0, 0);
        onKeyPress(KEY_C, 0, 0);
        double farthest = -1e300;
        for (std::uint32_t t = 0; t < RUN_MS; t += FRAME_MS) {
            setTestClock(now_ += FRAME_MS);
            race_->runFrame(false);
            endKeyFrame();
            const Vector3 q = pod_->body()->position();
            farthest = std::max({farthest, low_.x - q.x, q.x - high_.x, low_.z - q.z, q.z - high_.z});
        }
        clearKeys();
        return farthest;
    }

private:
    const Circuit& circuit_;
    std::uint32_t now_ = 1000000;
    std::unique_ptr<Race> race_;
    Probe<PlayerPod>* pod_ = nullptr;
    Vector3 low_, high_;
};

}  // namespace

// The landscape keeps pods in the world: however a pod leaves the road, the border stops it
// before the grid's edge, where the ground would run on flat and undrawn.
TEST(Border, HoldsADeterminedPodOnTheGridOfEveryCircuit) {
    for (int i = 0; i < CIRCUIT_COUNT; ++i) {
        const Circuit circuit = buildCircuit(i);
        BorderRun run(circuit);
        double farthest = -1e300;
        for (int k = 0; k < PLACES; ++k)
            for (double angle : {0.0, 3.14159265358979 / 4}) {
                const double beyond = run.farthestBeyondGrid(circuit.centreLine.size() * k / PLACES, angle);
                farthest = std::max(farthest, beyond);
            }
        std::printf("circuit %d: the pod came within %.0f of the grid's edge\n", i + 1, -farthest);
        EXPECT_LE(farthest, 0.0) << "circuit " << i + 1;
    }
    useRealClock();
}

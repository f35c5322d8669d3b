#include "Report.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <numeric>

Spread spreadOf(std::vector<double> values) {
    if (values.empty()) return {0, 0};
    std::sort(values.begin(), values.end());
    auto rank = [&](double fraction) {
        return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5)];
    };
    return {rank(0.5), rank(0.95)};
}

namespace {
struct Part {
    const char* name = nullptr;
    double FrameParts::*field = nullptr;
};
// The parts of the table, then two details of the terrain that only the machine lines give.
const Part PARTS[] = {{"terrain", &FrameParts::terrain},   {"sky", &FrameParts::sky},
                      {"entities", &FrameParts::entities}, {"hud", &FrameParts::hud},
                      {"simulation", &FrameParts::simulation}, {"camera", &FrameParts::camera}};
const Part TERRAIN_DETAILS[] = {{"culling", &FrameParts::terrainCulling}, {"sending", &FrameParts::terrainSending}};

Spread partSpread(const CircuitFigures& figures, double FrameParts::*field) {
    std::vector<double> values;
    for (const FrameParts& parts : figures.parts) values.push_back(parts.*field);
    return spreadOf(values);
}

// Frames per second over the whole run.
double framesPerSecond(const CircuitFigures& figures) {
    const double total = std::accumulate(figures.frameMs.begin(), figures.frameMs.end(), 0.0);
    return total > 0 ? 1000.0 * static_cast<double>(figures.frameMs.size()) / total : 0.0;
}

void printMachineLine(const CircuitFigures& figures) {
    const Spread frame = spreadOf(figures.frameMs);
    const Spread floor = spreadOf(figures.floorMs);
    const Spread whole = spreadOf(figures.wholeFloorMs);
    std::printf("BENCH circuit=%d view_distance=%d frames=%zu setup_ms=%.2f frame_median_ms=%.3f frame_p95_ms=%.3f "
                "whole_floor_median_ms=%.3f whole_floor_p95_ms=%.3f",
                figures.circuit + 1, figures.viewDistance, figures.frameMs.size(), figures.setUpMs, frame.median,
                frame.p95, whole.median, whole.p95);
    for (const Part* list : {PARTS, TERRAIN_DETAILS}) {
        const std::size_t count = list == PARTS ? std::size(PARTS) : std::size(TERRAIN_DETAILS);
        for (std::size_t i = 0; i < count; ++i) {
            const Spread s = partSpread(figures, list[i].field);
            std::printf(" %s_median_ms=%.4f %s_p95_ms=%.4f", list[i].name, s.median, list[i].name, s.p95);
        }
    }
    std::printf(" cpu_median_ms=%.3f main_cpu_median_ms=%.3f triangles_median=%.0f fps=%.1f floor_median_ms=%.3f "
                "floor_p95_ms=%.3f same_path=%d ground_cpu_median_ms=%.3f choosing_cpu_median_ms=%.3f "
                "sound_median_ms=%.4f sound_p95_ms=%.4f sound_threads_share=%.4f\n",
                spreadOf(figures.frameCpuMs).median, spreadOf(figures.frameMainCpuMs).median,
                spreadOf(figures.triangles).median, framesPerSecond(figures), floor.median, floor.p95,
                figures.samePath ? 1 : 0, spreadOf(figures.groundCpuMs).median,
                spreadOf(figures.choosingCpuMs).median, spreadOf(figures.soundMs).median,
                spreadOf(figures.soundMs).p95, figures.soundThreadsShare);
}
}

void printReport(const std::vector<CircuitFigures>& circuits) {
    if (circuits.empty()) return;
    std::printf("\nmilliseconds, median / 95th percentile over the frames; ratio: frame / whole floor (medians); cpu: "
                "processor time per frame, all threads / the game's own; view distance %d\n",
                circuits.front().viewDistance);
    std::printf("%-7s %7s %13s %13s %5s %5s %11s %13s %11s %11s %11s %15s %11s %9s %13s\n", "circuit", "set-up",
                "frame", "whole floor", "ratio", "fps", "cpu", "terrain", "sky", "entities", "hud", "simulation",
                "camera", "triangles", "floor");
    for (const CircuitFigures& figures : circuits) {
        const Spread frame = spreadOf(figures.frameMs);
        const Spread floor = spreadOf(figures.floorMs);
        const Spread whole = spreadOf(figures.wholeFloorMs);
        std::printf("%-7d %7.1f %6.2f/%-6.2f %6.2f/%-6.2f %5.2f %5.1f %5.2f/%-5.2f", figures.circuit + 1,
                    figures.setUpMs, frame.median, frame.p95, whole.median, whole.p95,
                    whole.median > 0 ? frame.median / whole.median : 0.0, framesPerSecond(figures),
                    spreadOf(figures.frameCpuMs).median, spreadOf(figures.frameMainCpuMs).median);
        for (const Part& part : PARTS) {
            const Spread s = partSpread(figures, part.field);
            if (part.field == &FrameParts::simulation)
                std::printf(" %7.4f/%-7.4f", s.median, s.p95);
            else if (part.field == &FrameParts::terrain)
                std::printf(" %6.2f/%-6.2f", s.median, s.p95);
            else
                std::printf(" %5.2f/%-5.2f", s.median, s.p95);
        }
        std::printf(" %9.0f %6.2f/%-6.2f%s\n", spreadOf(figures.triangles).median, floor.median, floor.p95,
                    figures.samePath ? "" : "  (the two runs drew different triangles!)");
    }
    std::printf("\nsound, on the game thread per frame (median / 95th percentile, ms) and its mixing threads' share of a core:\n");
    for (const CircuitFigures& figures : circuits) {
        const Spread sound = spreadOf(figures.soundMs);
        std::printf("circuit %d: %.4f / %.4f ms, %.1f %%\n", figures.circuit + 1, sound.median, sound.p95,
                    100.0 * figures.soundThreadsShare);
    }
    std::printf("\n");
    for (const CircuitFigures& figures : circuits) printMachineLine(figures);
}

void printMapReport(const std::vector<CircuitFigures>& maps) {
    for (const CircuitFigures& figures : maps) {
        const Spread frame = spreadOf(figures.frameMs);
        const Spread whole = spreadOf(figures.wholeFloorMs);
        std::printf("BENCHMAP size=%d view_distance=%d frames=%zu setup_ms=%.2f frame_median_ms=%.3f frame_p95_ms=%.3f "
                    "whole_floor_median_ms=%.3f whole_floor_p95_ms=%.3f cpu_median_ms=%.3f main_cpu_median_ms=%.3f "
                    "triangles_median=%.0f ground_cpu_median_ms=%.3f choosing_cpu_median_ms=%.3f\n",
                    figures.mapSize, figures.viewDistance, figures.frameMs.size(), figures.setUpMs, frame.median,
                    frame.p95, whole.median, whole.p95, spreadOf(figures.frameCpuMs).median,
                    spreadOf(figures.frameMainCpuMs).median, spreadOf(figures.triangles).median,
                    spreadOf(figures.groundCpuMs).median, spreadOf(figures.choosingCpuMs).median);
    }
}

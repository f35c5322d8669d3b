#pragma once

#include <array>

// Every sound the game plays, one WAV file each under Data/. Loops repeat for as long as
// what makes them lasts; the others play once.
enum class SoundId {
    Engine,        // a pod's engine, its pitch and loudness set by its speed
    Boost,         // the followed pod's boost, while it burns
    Whoosh,        // a missile in flight
    Launch,        // a missile leaving its pod
    Hit,           // a missile striking a pod
    PickupReload,  // the followed pod takes a missile reload
    PickupMoney,   // ... money
    PickupBoost,   // ... boost
    Checkpoint,    // the followed pod passes a checkpoint
    Lap,           // ... completes a lap
    Thump,         // a pod striking the ground hard
    MenuClick,     // the menu's marker moves
    MenuStart,     // a circuit is chosen
};

// The one list of sounds, in SoundId order: the file the game opens, and whether it loops.
// The game plays loops on looping sources; the content tool writes them to repeat seamlessly.
struct SoundFile {
    SoundId id = SoundId::Engine;
    const char* path = nullptr;
    bool loops = false;
};
inline constexpr std::array SOUNDS{
    SoundFile{SoundId::Engine, "Data/engine.wav", true},
    SoundFile{SoundId::Boost, "Data/boost.wav", true},
    SoundFile{SoundId::Whoosh, "Data/whoosh.wav", true},
    SoundFile{SoundId::Launch, "Data/launch.wav", false},
    SoundFile{SoundId::Hit, "Data/hit.wav", false},
    SoundFile{SoundId::PickupReload, "Data/reload.wav", false},
    SoundFile{SoundId::PickupMoney, "Data/money.wav", false},
    SoundFile{SoundId::PickupBoost, "Data/boostpickup.wav", false},
    SoundFile{SoundId::Checkpoint, "Data/checkpoint.wav", false},
    SoundFile{SoundId::Lap, "Data/lap.wav", false},
    SoundFile{SoundId::Thump, "Data/thump.wav", false},
    SoundFile{SoundId::MenuClick, "Data/click.wav", false},
    SoundFile{SoundId::MenuStart, "Data/start.wav", false},
};
constexpr int SOUND_COUNT = static_cast<int>(SOUNDS.size());

constexpr bool soundsInIdOrder() {
    for (int i = 0; i < SOUND_COUNT; ++i)
        if (static_cast<int>(SOUNDS[static_cast<std::size_t>(i)].id) != i) return false;
    return true;
}
static_assert(soundsInIdOrder(), "SOUNDS lists every SoundId once, in order");
static_assert(static_cast<int>(SoundId::MenuStart) + 1 == SOUND_COUNT, "a SoundId without its file");

constexpr const SoundFile& soundInfo(SoundId id) { return SOUNDS[static_cast<std::size_t>(id)]; }
constexpr const char* soundFile(SoundId id) { return soundInfo(id).path; }
constexpr bool isLoop(SoundId id) { return soundInfo(id).loops; }

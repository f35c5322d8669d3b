#pragma once

// Every sound the game plays, one WAV file each under Data/. Loops repeat for as long as
// what makes them lasts; the others play once.
enum class SoundId {
    Engine,        // loop: a pod's engine, its pitch and loudness set by its speed
    Boost,         // loop: the followed pod's boost, while it burns
    Whoosh,        // loop: a missile in flight
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
constexpr int SOUND_COUNT = 13;

// The file of each sound, in SoundId order, as the game opens it.
extern const char* const SOUND_FILES[SOUND_COUNT];

inline const char* soundFile(SoundId id) { return SOUND_FILES[static_cast<int>(id)]; }
inline bool isLoop(SoundId id) { return id == SoundId::Engine || id == SoundId::Boost || id == SoundId::Whoosh; }

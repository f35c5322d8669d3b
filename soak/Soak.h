#pragma once

struct SoakSettings {
    int racesPerCircuit = 20;
    int framesPerRace = 2000;
    int drawEvery = 250;  // every n-th race frame is drawn; the others run without drawing
    unsigned seed = 1;
};

// Plays the races, circuits taking turns, from the menu through the loading screen and the
// set-up to the race, then Escape back to the menu, on a 16 ms test clock and fixed seeds.
// Needs the offscreen context current and Data/ in the working directory. Prints one line
// per race; false when a body's position or velocity stopped being finite, a scene did not
// follow as the game's do, or the heap grew from race to race.
bool runSoak(const SoakSettings& settings);

// False in sanitizer builds, whose allocator the heap figure cannot see (LeakSanitizer
// checks for leaks at exit there instead).
bool heapMeasured();

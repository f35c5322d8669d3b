#pragma once

// The game's sound in the benchmark: OpenAL's null backend (unless ALSOFT_DRIVERS names
// another) mixes every sound the race plays on threads of its own, heard by no one.

// Starts the sound and notes the threads it started; false when no sound could be opened.
bool startBenchSound();
// Processor milliseconds those threads have used so far (0 without sound).
double soundThreadsCpuMs();

#pragma once

#include "sound/SoundFiles.h"

class Race;

// The game's sound, seen from the app shell. The simulation never calls it: the race scene
// hands it the race once per frame, after the race frame, and it works out the rest.
// Without a device at start (or muted) every call does nothing. A device lost later is
// noticed within a second and tried again every two seconds, off the game's thread; one line
// on stderr tells of the loss, one of the return.

// Before the game changes into its data folder: a relative ALSOFT_CONF names a file from
// where the player started the game.
void keepSoundSettingsPath();
// Opens the sound device unless mute. Without one, says once on stderr that the game plays
// without sound; OpenAL's own messages are kept off the console by its log level unless
// ALSOFT_LOGLEVEL asks for them.
void startSound(bool mute);
// Closes the device; also run at exit.
void stopSound();
bool soundOn();

// The menu's sounds, heard at once.
void playMenuSound(SoundId id);
// After each race frame: engines, missiles, pick-ups, progress and contacts.
void updateRaceSound(const Race& race);
// The race is left: every race sound stops at once.
void leaveRaceSound();

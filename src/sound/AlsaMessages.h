#pragma once

// ALSA's library prints its errors on stderr when OpenAL tries a sound card that is not there
// (on every machine without one). Hands them to a handler of ALSA's own that drops them, when
// ALSA is there to be told; the player's stderr stays as it is.
void dropAlsaMessages();

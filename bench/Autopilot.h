#pragma once

class Race;

// Flies the player's pod the way the AI pods fly theirs: the AI's pursuit of the next
// checkpoint, applied to the player's body after its own update. Benchmark only: it gives
// every run the same realistic path round the circuit without anyone at the keys.
void flyPlayer(Race& race);

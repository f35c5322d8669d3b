#pragma once

// The circuit the menu marks and race set-up builds: 0, 1 or 2. Kept when a race ends.
int chosenCircuit();
// Brought into 0..2 by wrapping.
void setChosenCircuit(int circuit);

// Steps the choice with the arrows (Enter is the left arrow), 200 ms of freeze after each.
void updateMenuChoice();

// Three previews, title, heading and the marker above the chosen one. Escape quits,
// Space goes to the loading screen.
void menuScene();

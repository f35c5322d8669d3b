#pragma once

// Builds the chosen circuit's race and installs the race scene. Draws nothing.
void setupScene();

// One race frame: keys, drawing, thinking, contacts, motion, camera, then the sound of what
// the frame left; Escape destroys the race and returns to the menu after a 500 ms freeze.
void raceScene();

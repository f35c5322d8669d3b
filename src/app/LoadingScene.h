#pragma once

// One frame: the chosen circuit's picture with the loading message, then race set-up,
// which draws nothing, so the picture stays on screen while the race loads.
void loadingScene();

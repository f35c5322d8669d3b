#include "app/MenuScene.h"

#include "app/services/Clock.h"
#include "app/services/KeySlots.h"
#include "app/services/KeyTable.h"
#include "app/LoadingScene.h"
#include "app/Previews.h"
#include "app/Scene.h"
#include "app/services/Text.h"
#include "app/Window.h"
#include "sound/Sound.h"

namespace {
int circuit = 0;

// The only key-repeat control: a held arrow moves the marker about five times a second.
constexpr std::uint32_t ARROW_REPEAT_MS = 200;

struct PreviewPlace {
    double xFrom = 0;
    double xTo = 0;
};
constexpr PreviewPlace PREVIEW_PLACES[CIRCUIT_COUNT] = {{-50, -20}, {-15, 15}, {20, 50}};
constexpr double PREVIEW_BOTTOM = -30;
constexpr double PREVIEW_TOP = -10;

void drawMenu() {
    // No colour of its own: the previous frame's last text was white, so the pictures are untinted.
    for (int i = 0; i < CIRCUIT_COUNT; ++i)
        drawPicture(previewTexture(i), PREVIEW_PLACES[i].xFrom, PREVIEW_BOTTOM, PREVIEW_PLACES[i].xTo, PREVIEW_TOP);
    drawText(0.15, 0.05, 0.85, 0.25, "BRENVASK", 1.0, 1.0, 0.1);
    drawText(0.35, 0.40, 0.65, 0.50, "CHOIX DU CIRCUIT", 1.0, 0.1, 0.1);
    const char marker[] = {static_cast<char>(MENU_MARKER), '\0'};
    drawText(0.15 + 0.3 * circuit, 0.55, 0.25 + 0.3 * circuit, 0.60, marker, 1.0, 1.0, 1.0);
}
}

int chosenCircuit() { return circuit; }

void setChosenCircuit(int value) { circuit = ((value % CIRCUIT_COUNT) + CIRCUIT_COUNT) % CIRCUIT_COUNT; }

void updateMenuChoice() {
    if (keyDown(KEY_LEFT)) {
        circuit = (circuit + CIRCUIT_COUNT - 1) % CIRCUIT_COUNT;  // one to the left, wrapping
        playMenuSound(SoundId::MenuClick);  // before the wait, which the mixer plays through
        waitMs(ARROW_REPEAT_MS);
    }
    if (keyDown(KEY_RIGHT)) {
        circuit = (circuit + 1) % CIRCUIT_COUNT;
        playMenuSound(SoundId::MenuClick);
        waitMs(ARROW_REPEAT_MS);
    }
}

void menuScene() {
    if (keyDown(KEY_ESCAPE)) quit();
    updateMenuChoice();
    drawMenu();
    if (keyDown(KEY_SPACE)) {
        playMenuSound(SoundId::MenuStart);
        setScene(loadingScene);
    }
}

#include "app/LoadingScene.h"

#include "app/services/KeySlots.h"
#include "app/services/KeyTable.h"
#include "app/MenuScene.h"
#include "app/Previews.h"
#include "app/RaceScene.h"
#include "app/Scene.h"
#include "app/services/Text.h"
#include "app/Window.h"

void loadingScene() {
    glColor3f(1.0f, 1.0f, 1.0f);
    if (keyDown(KEY_ESCAPE)) quit();
    drawPicture(previewTexture(chosenCircuit()), -50, -30, 50, 30);
    drawText(0.3, 0.4, 0.7, 0.5, "CHARGEMENT EN COURS ...", 1.0, 0.1, 0.1);
    setScene(setupScene);
}

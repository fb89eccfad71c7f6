// Interim: the scene and its drawing come with their own change. Until then
// the window is cleared to black every frame.
#include <GL/gl.h>

#include "game/WordGame.h"

void WordGame::InitGraphics() { glReady = true; }

void WordGame::Reshape(int, int) {
    sceneWidth = 20.0;
    sceneHeight = 15.0;
}

void WordGame::Display() {
    if (windowOpen)
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

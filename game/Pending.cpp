// Interim: the rules of play come with their own change. Until then the game
// only checks its word list and otherwise stays on an empty screen.
#include "game/WordGame.h"

bool WordGame::Start() {
    InitGraphics();
    EnableIdle();
    return dictionary.count > 0;
}
void WordGame::Keyboard(int, int, int) {}
void WordGame::KeyboardUp(int, int, int) {}
void WordGame::Special(int, int, int) {}
void WordGame::SpecialUp(int, int, int) {}
void WordGame::MouseDown(int, int, int) {}
void WordGame::PassiveMotion(int, int) {}
void WordGame::Update(double) {}

// What the page's touch controls (web/controls.js) read of the game: the
// state it is in, the falling block and the name being typed; and where the
// last block landed, which the touch test (tests/web/touch.js) reads to see
// a drop end in the column it steered to. They act on it through the same GLUT callbacks the
// keyboard and the mouse reach (web/library_page.js).
#include <emscripten.h>

#include "app/psGlutApp.h"
#include "game/WordGame.h"

namespace {

const WordGame* Game() { return static_cast<const WordGame*>(GlutCallbacks::CurrentApp()); }

} // namespace

extern "C" {

// 0 the state, 1 the falling block's column, 2 its letter, 3 whether a name
// is being taken (a qualifying score at game over), 4 the column the last
// block landed in; -1 before the game runs.
EMSCRIPTEN_KEEPALIVE int glyphtumble_page_view(int what) {
    const WordGame* game = Game();
    if (game == nullptr)
        return -1;
    switch (what) {
    case 0: return game->state;
    case 1: return game->blockColumn;
    case 2: return static_cast<unsigned char>(game->blockLetter);
    case 3: return game->state == GameOver && game->nameQualifies;
    case 4: return game->landingColumn;
    default: return -1;
    }
}

EMSCRIPTEN_KEEPALIVE const char* glyphtumble_page_name() {
    const WordGame* game = Game();
    return game == nullptr ? "" : game->playerName.c_str();
}

} // extern "C"

// Glyphtumble's entry point: builds the one game object, reads the command
// line, opens the window, starts the game and hands over to GLUT's main loop.

#include <GL/freeglut.h>

#include "app/CommandLine.h"
#include "app/PlayerMessages.h"
#include "game/WordGame.h"
#include "sound/SoundPlayer.h"

int main(int argc, char** argv) {
    OpenPlayerMessages(); // before the word list is loaded, which may refuse it

    // Built before GLUT starts: its constructor loads the word list and
    // opens (or creates) the high-score file, and its destructor saves the
    // table on every return from here.
    WordGame game;

    CommandLine options;
    glutInit(&argc, argv); // takes out GLUT's own options
    if (!ParseCommandLine(argc, argv, options)) {
        PrintUsage();
        return 0;
    }

    game.OpenWindow(options.width, options.height, options.depth, options.screenMode,
                    "Glyphtumble");
    // The game's sounds, made now; without a sound device it plays silently.
    SoundPlayer sound;
    game.sounds = &sound;
    if (!game.Start())
        return ShowMessagesOnFailure(1); // the word list holds no word

    // Comes back only when there is no high-resolution timer; the game
    // otherwise ends itself from the title menu.
    game.Run();
    return 0;
}

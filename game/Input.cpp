// The game object's keys, mouse buttons and pointer: the title menu, the
// player's name on the game-over screen, leaving the Hall of Fame, and the
// falling block with pause and giving up.

#include "game/Keys.h"
#include "game/WordGame.h"

namespace {

// Character classes of the default locale, spelled out so that a key code
// outside 0..255 is simply neither.
bool IsLetter(int key) { return (key >= 'A' && key <= 'Z') || (key >= 'a' && key <= 'z'); }
bool IsPrintable(int key) { return key >= 32 && key <= 126; }
// Latin-1's printable upper half; 128 to 159 are control codes there (and
// other letters in the Windows code page, which the font doesn't have).
bool IsLatin1Printable(int key) { return key >= 160 && key <= 255; }
char UpperCase(int key) {
    return static_cast<char>(key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key);
}

} // namespace

void WordGame::Keyboard(int key, int, int) {
    switch (state) {
    case TitleMenu:
        MenuKey(key);
        return;
    case GameOver:
        if (key == KeyEnter || key == KeyEscape) {
            // Escape leaves without recording, even a qualifying score.
            if (nameQualifies && key == KeyEnter) {
                highScores.Insert(playerName.c_str(), score, wordsMade, skill);
                highScores.Save();
            }
            SetState(HallOfFame);
        } else if (nameQualifies) {
            if (key == KeyBackspace) {
                if (!playerName.empty()) {
                    playerName.pop_back();
                    Announce(Sound::NameBackspace);
                }
            } else if (IsPrintable(key) || (languageChosen && IsLatin1Printable(key))) {
                // No limit while typing; the table keeps the first 29 characters.
                playerName.push_back(static_cast<char>(key));
                Announce(Sound::NameKey);
            }
        }
        return;
    case HallOfFame:
        Start();
        return;
    default:
        break;
    }

    // A '?' block takes the first letter typed while it falls. English takes
    // a to z alone; a language takes its own letters, accented ones folded
    // to their base letter when it lacks them.
    if (state == BlockFalling && blockLetter == '?') {
        const char typed =
            languageChosen ? letters.TypedLetter(key) : (IsLetter(key) ? UpperCase(key) : '\0');
        if (typed != '\0') {
            blockLetter = typed;
            Announce(Sound::WildcardNamed);
        }
    }

    if (state == Paused) {
        // Any key resumes, Escape and Tab included, and does nothing else.
        state = pausedState;
        Announce(Sound::Resume);
    } else if (key == KeyEscape) {
        SetState(GameOver);
    } else if (key == KeyTab) {
        pausedState = state;
        state = Paused;
        Announce(Sound::Pause);
    }
}

void WordGame::KeyboardUp(int, int, int) {}

void WordGame::Special(int key, int, int) {
    if (key == KeyF2) { // sound off or on, and nothing else, in every state
        Announce(Sound::Switch);
        return;
    }
    if (state == TitleMenu) {
        MenuMove(key);
        return;
    }
    // Every other state steers, whether or not a block is falling: a step
    // taken while paused shows after resuming.
    sideStep = 0;
    if (key == ArrowLeft)
        sideStep = -1;
    else if (key == ArrowRight)
        sideStep = +1;
    else if (key == ArrowDown) {
        // Held, the key repeats: only its first press starts the drop.
        if (!fastDrop && state == BlockFalling)
            Announce(Sound::FastDrop);
        fastDrop = true;
    }
    if (sideStep != 0) {
        const int column = blockColumn;
        SideStep(sideStep);
        if (state == BlockFalling)
            Announce(blockColumn != column ? Sound::Step : Sound::StepRefused);
    }
}

void WordGame::SpecialUp(int key, int, int) {
    if (key == ArrowLeft || key == ArrowRight)
        sideStep = 0;
    else if (key == ArrowDown)
        fastDrop = false;
}

// A click is an Enter, whatever the button.
void WordGame::MouseDown(int, int x, int y) { Keyboard(KeyEnter, x, y); }

void WordGame::PassiveMotion(int, int y) {
    if (state != TitleMenu || height <= 0)
        return;
    // The pointer's height above the window's lower edge, in fifteenths of
    // the window: the units the menu drawing records its bands in.
    const double v = (15.0 * height - 15.0 * y) / height;
    for (int i = 0; i < MenuItemCount; ++i) {
        const double band = menuBands[i];
        if (band <= v && v < band + 1.0) {
            if (menuCursor != i)
                Announce(Sound::MenuMove);
            menuCursor = i;
            return;
        }
    }
}

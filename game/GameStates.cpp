// The game object's start, its screen states with their entry actions, and the
// title menu's two key operations.

#include <cstdlib>
#include <cstring>
#include <ctime>

#include "game/Keys.h"
#include "game/WordGame.h"

namespace {

// Title-menu items, top to bottom.
enum MenuItem : int {
    MenuSkill = 0,
    MenuShowNext = 1,
    MenuBegin = 2,
    MenuHighScores = 3,
    MenuExit = 4,
};

constexpr double PlayViewCentreX = 5.5;
constexpr double PlayViewCentreY = 12.0;
constexpr int FirstTargetLength = 4;
constexpr int LevelsOfTargets = 10; // the longest target word
constexpr int WordsPerLevel = 10;

} // namespace

bool WordGame::Start() {
    InitGraphics();
    EnableIdle();
    if (dictionary.count <= 0 || lettersRefused)
        return false;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    ClearWell();
    fastDrop = false;
    sideStep = 0;
    wordsMade = 0;
    score = 0;
    maxTargetLength = LevelsOfTargets;
    wordsPerLevel = WordsPerLevel;
    targetMade = false;
    nameQualifies = false;
    recentWords.clear();
    SetLevel(1);
    SetState(TitleMenu);
    return true;
}

void WordGame::SetState(int n) {
    state = n;
    switch (n) {
    case TitleMenu:
        menuCursor = MenuBegin;
        [[fallthrough]]; // the title menu shares the Hall of Fame's view
    case HallOfFame:
        spinAngle = 0.0;
        viewCentreX = sceneWidth * 0.5;
        viewCentreY = sceneHeight * 0.5;
        Reshape(width, height);
        break;
    case NewGame:
        viewCentreX = PlayViewCentreX;
        viewCentreY = PlayViewCentreY;
        Reshape(width, height);
        nextLetter = PickLetter(true);
        SetLevel(1);
        targetLength = FirstTargetLength;
        PickTargetWord();
        // A passing state: the game goes straight on to the first delay.
        SetState(BlockDelay);
        break;
    case BlockDelay:
        delayTime = 0.0;
        delayLength = BlockDelayLength;
        break;
    case BlockFalling:
        // The spawn. The bonus draw comes after the next letter's draw, so a
        // seeded game deals the same letters and bonus blocks every time.
        blockLetter = nextLetter;
        blockColumn = SpawnColumn;
        blockHeight = SpawnHeight;
        nextLetter = PickLetter(true);
        wildcardBlock = blockLetter == '?';
        chainMultiplier = 1;
        targetMade = false;
        bonusBlock = std::rand() % BonusChance == 0;
        chainStep = 0;
        if (wildcardBlock)
            Announce(Sound::Wildcard);
        break;
    case WordRemoval:
        revealIndex = 0;
        revealTime = 0.0;
        revealInterval = RevealInterval;
        break;
    case GameOver:
        playerName.clear();
        nameQualifies = highScores.Qualifies(score);
        Announce(nameQualifies ? Sound::GameOverHighScore : Sound::GameOver);
        break;
    case WellSweep:
        sweepRow = 0;
        sweepTime = 0.0;
        sweepInterval = SweepInterval;
        break;
    default: // Settling, WordScan, Paused, or no state at all
        break;
    }
}

void WordGame::ClearWell() { std::memset(well, 0, sizeof well); }

void WordGame::MenuKey(int key) {
    if (key == KeyEscape)
        std::exit(0);
    if (key != KeyEnter && key != KeySpace)
        return;
    switch (menuCursor) {
    case MenuSkill:
        skill = (skill + 1) % 3;
        Announce(Sound::MenuChange);
        break;
    case MenuShowNext:
        showNext = !showNext;
        Announce(Sound::MenuChange);
        break;
    case MenuBegin:
        Announce(Sound::MenuBegin);
        SetState(NewGame);
        break;
    case MenuHighScores:
        Announce(Sound::MenuChange);
        SetState(HallOfFame);
        break;
    case MenuExit:
        // The Hall of Fame was saved at the last name entry; the process exit
        // flushes and closes its file.
        std::exit(0);
    default:
        break;
    }
}

void WordGame::MenuMove(int key) {
    if (key == ArrowUp)
        menuCursor = (menuCursor + MenuItemCount - 1) % MenuItemCount;
    else if (key == ArrowDown)
        menuCursor = (menuCursor + 1) % MenuItemCount;
    else
        return;
    Announce(Sound::MenuMove);
}

#pragma once

// WordGame is the one game object: the word list, the Hall of Fame, the font
// and the other graphics resources, the well with its falling block, the score
// and level, the timers of the timed states and the screen state.
//
// Its operations live where their subject lives: the rules in game/ (states,
// input, well, words, scoring), the drawing in render/. The rules make no GL
// or GLUT call of their own, so a test can drive the real game with simulated
// frame times and key codes and never open a window.

#include <deque>
#include <string>
#include <vector>

#include "app/psGlutApp.h"
#include "data/Dictionary.h"
#include "data/HighScoreTable.h"
#include "game/FoundWord.h"
#include "game/GameState.h"
#include "game/SoundEvents.h"
#include "game/LetterSupply.h"
#include "image/TextureFont.h"

// A cell of the well.
struct WellCell {
    int column = 0;
    int row = 0;
};

class WordGame : public psGlutApp {
public:
    // The well: 11 columns (0 left) by 15 rows (0 at the bottom). Rows 0 to 6
    // lie under water; row 7 is the surface row.
    static constexpr int WellColumns = 11;
    static constexpr int WellRows = 15;
    static constexpr int SurfaceRow = 7;
    static constexpr int SpawnColumn = 5;
    static constexpr double SpawnHeight = 14.0;
    static constexpr double FastDropSpeed = 10.0; // rows per second, down arrow held
    static constexpr double MaxFallStep = 0.25;   // rows per update, so no row is skipped
    static constexpr double BlockDelayLength = 0.25;
    static constexpr double RevealInterval = 0.5;
    static constexpr double SweepInterval = 0.15;
    static constexpr double TwoPi = 6.28318530718;
    static constexpr int MaxRecentWords = 9;
    static constexpr int MenuItemCount = 5;
    static constexpr int BonusChance = 50; // one block in 50 is a bonus block

    // English's letter supply, built in: 102 tiles drawn with replacement; the
    // last 4 are '?'. A language's letters.txt replaces it (LetterSupply).
    static constexpr char LetterBag[] =
        "AAAAAAAAABBCCDDDDEEEEEEEEEEEEFFGGGHHIIIIIIIIIJKLLLLMMNNNNNNOOOOOOOOPPQRRRRRRSSSSTTTTTT"
        "UUUUVVWWXYYZ????";
    static constexpr int LetterBagSize = 102;
    static constexpr int LetterBagLetters = 98;
    static_assert(sizeof(LetterBag) - 1 == LetterBagSize, "the letter bag holds 102 tiles");
    // Points per letter, A to Z: the usual English tile values.
    static constexpr int LetterValues[26] = {1, 3, 3, 2, 1, 4, 2, 4, 1, 8, 5, 1, 3,
                                             1, 1, 3, 10, 1, 1, 1, 1, 4, 4, 8, 4, 10};

    WordGame();
    ~WordGame(); // saves the Hall of Fame once more

    // ---- States (game/GameStates.cpp) ----
    // False when the word list holds no word.
    bool Start();
    // The only way into every state but Paused; runs the entry actions of n.
    void SetState(int n);
    void ClearWell();
    void MenuKey(int key);
    void MenuMove(int key);

    // ---- Input (game/Input.cpp) ----
    void Keyboard(int key, int x, int y) override;
    void KeyboardUp(int key, int x, int y) override;
    void Special(int key, int x, int y) override;
    void SpecialUp(int key, int x, int y) override;
    void MouseDown(int button, int x, int y) override;
    void PassiveMotion(int x, int y) override;

    // ---- Well, falling block and letter supply (game/Well.cpp) ----
    char PickLetter(bool allowWildcard);
    // Moves the falling block one column (step -1 or +1) when that cell is free.
    void SideStep(int step);
    // Compacts every column; a column of 15 letters ends the game, else the
    // well is scanned next.
    void Settle();
    // Advances the current state by frameTime seconds; a frame time that is
    // not a finite positive number moves nothing.
    void Update(double frameTime) override;
    // One update of the falling block: at most a quarter row, then it lands
    // on the surface row or on the letter beneath it.
    void Fall(double frameTime);
    char Cell(int column, int row) const { return well[row][column]; }
    void SetCell(int column, int row, char letter) { well[row][column] = letter; }

    // ---- Words (game/Words.cpp) ----
    void ScanWell();
    void SearchRun(int column, int row, int length, bool vertical);
    // Index of the first word of the list not below letters in byte order,
    // searching from index first; count when there is none.
    int FirstWordFrom(const char* letters, int first) const;
    // The WordScan state: one scan, then WordRemoval or the next block.
    void ScanStep();
    // The WordRemoval state: credits one word every revealInterval, then
    // sweeps (target made) or removes the words and settles.
    void RemovalStep(double frameTime);

    // ---- Scoring and levels (game/Scoring.cpp) ----
    // The language's points for a letter; 0 for anything it lacks.
    int LetterValue(char letter) const { return letters.Value(letter); }
    // total + points, held at the largest int instead of wrapping.
    static int AddPoints(int total, int points);
    void ScoreWord(FoundWord& found);
    void SetLevel(int newLevel);
    void UpdateFallSpeed();
    // Picks a word of targetLength letters; without one, the nearest length
    // that has words (longer first, within minWordLength..maxTargetLength),
    // and without any, no target (targetIndex -1).
    void PickTargetWord();
    void AdvanceTarget();

    // ---- What the ears are told ----
    void Announce(Sound sound, int detail = 0) {
        if (sounds)
            sounds->Announce(sound, detail);
    }

    // ---- Scene set-up and drawing (render/) ----
    // The one-time GL set-up; only the first call with an open window does
    // anything. Without a window it does nothing, glReady stays false, and a
    // window opened later still gets the whole set-up.
    void InitGraphics();
    void LoadTextures();
    void BuildBlockList();
    // The projection from the view centre; the size arguments are ignored.
    // Without a window it only sets sceneWidth, sceneHeight and the font's area.
    void Reshape(int width, int height) override;
    // Draws the current state's screen; nothing without a window. Leaves the
    // modelview at the identity.
    void Display() override;
    // A block whose front lower-left corner is (x, y, 0); a letter below 32
    // draws a bare block. A block colour of alpha 1 draws the cube solid.
    void DrawLetterBlock(double x, double y, char letter, const float* letterColour,
                         const float* blockColour);
    // Around surfaces whose colour alpha is exactly 1 on an opaque texture:
    // blending and the alpha test would change none of their pixels, so with
    // the shortcuts on they are switched off in between. EndSolid switches
    // both back on.
    void BeginSolid();
    void EndSolid();
    // The drawing shortcuts that leave every pixel as it was (solid surfaces
    // unblended, clear glyphs left out); on unless a test or benchmark
    // compares frames drawn without them.
    void SetDrawShortcuts(bool on);
    void DrawWell();
    void DrawWater();
    void DrawQuad(double x, double y, double w, double h, int texture, double repeat);
    void DrawQuadCentred(double xOffset, double y, double w, double h, int texture,
                         double repeat);
    // The dim stone backdrop of the title menu and the Hall of Fame, one unit
    // behind the scene plane; leaves the modelview as it found it.
    void DrawBackdrop();
    void DrawTitleBlocks(const char* text, double y, const float* letterColour,
                         const float* blockColour);
    void DrawStatusPanel(double x, double y);
    void DrawRecentWord(int i, std::string word, int points, int flags);
    void DrawTitleMenu();

    // ---- Members ----
    bool glReady;
    bool drawShortcuts = true;
    double viewCentreX;
    double viewCentreY;
    double sceneWidth;
    double sceneHeight;
    unsigned coarseTexture;
    unsigned tileTexture;
    unsigned waterTexture;
    TextureFont font;
    unsigned blockList;
    Dictionary dictionary;
    // English's built-in bag and values, unless the folder has "letters.txt";
    // then that language's, its Latin-1 font, and names of Latin-1 letters.
    LetterSupply letters;
    bool languageChosen = false;
    bool lettersRefused = false; // a malformed letters.txt: Start refuses
    char well[WellRows][WellColumns];
    int state;
    int minWordLength;
    std::deque<FoundWord> recentWords; // newest first, at most 9
    int score;
    int wordsMade;
    int targetLength;
    int targetIndex; // -1: the word list has no word of a usable length
    int level;
    int maxTargetLength;
    int wordsPerLevel;
    int chainMultiplier;
    bool nameQualifies;
    HighScoreTable highScores;
    std::string playerName;
    bool showNext;
    char nextLetter;
    int skill; // 0 Beginner, 1 Intermediate, 2 Advanced
    int pausedState;
    double spinAngle;
    int menuCursor;
    double menuBands[MenuItemCount];
    double delayLength;
    double delayTime;
    int blockColumn;
    double blockHeight;
    double fallSpeed;
    bool fastDrop;
    char blockLetter;
    bool bonusBlock;
    bool wildcardBlock;
    int sideStep;
    int landingColumn; // where the last block landed; arrows after landing don't move it
    WellCell bonusCell;
    WellCell wildcardCell;
    bool targetMade;
    std::vector<FoundWord> foundWords;
    int revealIndex;
    double revealTime;
    double revealInterval;
    int sweepRow;
    double sweepTime;
    double sweepInterval;
    SoundEvents* sounds = nullptr; // told of every event; none: a silent game
    int chainStep = 0;             // words credited since the block spawned
};

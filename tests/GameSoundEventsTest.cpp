// What the real game announces for the ears, in order, through scripted games
// with simulated time.

#include <utility>

#include "tests/support/GameFixture.h"

namespace {

const char* const Names[SoundCount] = {
    "MenuMove",  "MenuChange", "MenuBegin", "Step",  "Refused", "FastDrop",
    "LandAir",   "LandWater",  "Wildcard",  "Named", "Word",    "Bonus",
    "Target",    "Sweep",      "LevelUp",   "Pause", "Resume",  "GameOver",
    "HighScore", "NameKey",    "Backspace", "Switch"};

struct Recorder : SoundEvents {
    std::string heard;
    void Announce(Sound sound, int detail) override {
        heard +=
            Names[static_cast<int>(sound)] + (detail ? ":" + std::to_string(detail) : "") + " ";
    }
};

} // namespace

class GameSoundEvents : public GameTest {
  protected:
    void SetUp() override {
        MakeGame("DOG\nEAR\nTEN\nZERO\n");
        game->sounds = &recorder;
    }
    void Play() { Begin(), Heard(); } // Begin Game, heard before the script's own events
    void Credit() {          // the words found now, credited, removed, the well settled again
        game->chainStep = 0; // as at a spawn
        game->SetState(WordScan);
        for (int i = 0; i < 40 && game->state != BlockDelay; ++i)
            game->Update(0.5);
    }
    std::string Heard() { return std::exchange(recorder.heard, ""); } // since the last call
    Recorder recorder;
};

TEST_F(GameSoundEvents, ScriptedGamesAnnounceEveryEventInOrderAndF2InEveryState) {
    Play();
    Drop('X', 5);
    game->Update(0.01);
    game->SetState(BlockDelay);
    Drop('X', 5); // on the X in the surface row
    EXPECT_EQ(Heard(), "FastDrop LandWater:7 FastDrop LandAir:8 ");

    Play();
    game->nextLetter = 'X';
    game->Update(0.25);
    game->SetCell(3, 14, 'X');
    game->Special(ArrowLeft, 0, 0);
    game->Special(ArrowLeft, 0, 0); // into the X
    game->blockColumn = 10;
    game->Special(ArrowRight, 0, 0); // into the wall
    EXPECT_EQ(Heard(), "Step Refused Refused ");

    Play(); // EAR and TEN share the E; then DOG closes up: a chain of three
    Put(2, 7, "TEND", true);
    Put(3, 7, "OA", true);
    Put(4, 7, "GR", true);
    Credit();
    EXPECT_EQ(Heard(), "Word Word:1 Word:2 ");

    Play();
    Put(0, 7, "DOG");
    game->bonusBlock = true;
    game->bonusCell = WellCell{1, 7};
    Credit();
    EXPECT_EQ(Heard(), "Bonus ");

    Play();
    Put(0, 8, "DOG");
    Put(0, 7, "ZERO");
    game->targetIndex = game->dictionary.Find("ZERO");
    Credit();
    std::string sweep; // one falling note per row, from the bottom
    for (int row = 1; row < WordGame::WellRows; ++row)
        sweep += " Sweep:" + std::to_string(row);
    EXPECT_EQ(Heard(), "Word Target:1 Sweep" + sweep + " ");

    Play();
    game->wordsMade = 9;
    Put(0, 7, "EAR");
    Credit();
    EXPECT_EQ(Heard(), "Word LevelUp:2 ");

    Play();
    for (int key : {KeyTab, KeyEscape, KeyTab, -1, KeyEscape}) // Escape only resumes
        key < 0 ? game->MouseDown(0, 0, 0) : game->Keyboard(key, 0, 0);
    EXPECT_EQ(Heard(), "Pause Resume Pause Resume GameOver ");

    Play();
    game->nextLetter = '?';
    game->Update(0.25);
    for (int key : {int('q'), int('r')}) // the block keeps its Q
        game->Keyboard(key, 0, 0);
    game->score = 70;
    for (int key : {KeyEscape, KeyBackspace, int('A'), int('b'), KeyBackspace, 200})
        game->Keyboard(key, 0, 0);
    EXPECT_EQ(Heard(), "Wildcard Named HighScore NameKey NameKey Backspace ");

    for (int state : {BlockFalling, WordRemoval, Paused, GameOver, WellSweep}) {
        game->state = state;
        const int column = game->blockColumn;
        game->Special(KeyF2, 0, 0); // and nothing else changes
        EXPECT_EQ(Heard() + std::to_string(game->state - state + game->blockColumn - column),
                  "Switch 0");
    }

    Begin(1, false); // the menu: keys, Enter on the skill and on "Show Next", the pointer
    for (int key : {ArrowUp, ArrowUp, 999})
        game->Special(key, 0, 0);
    game->Keyboard(KeySpace, 0, 0);
    game->Special(ArrowDown, 0, 0);
    game->Keyboard(KeyEnter, 0, 0);
    game->height = 480;
    game->PassiveMotion(0, 360); // 3.75 fifteenths up: High Scores, once
    game->PassiveMotion(0, 360);
    game->Special(KeyF2, 0, 0);
    game->menuCursor = 2;
    game->Keyboard(KeyEnter, 0, 0);
    EXPECT_EQ(Heard(),
              "MenuMove MenuMove MenuChange MenuMove MenuChange MenuMove Switch MenuBegin ");
}

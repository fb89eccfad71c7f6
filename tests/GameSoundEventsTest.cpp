// What the real game announces for the ears, in order, through scripted games
// with simulated time.

#include <functional>

#include "tests/support/GameFixture.h"

namespace {

const char* const Names[SoundCount] = {
    "MenuMove",  "MenuChange", "MenuBegin", "Step",  "StepRefused", "FastDrop",
    "LandAir",   "LandWater",  "Wildcard",  "Named", "Word",        "BonusWord",
    "Target",    "Sweep",      "LevelUp",   "Pause", "Resume",      "GameOver",
    "HighScore", "NameKey",    "Backspace", "Switch"};

struct Recorder : SoundEvents {
    std::string heard;
    void Announce(Sound sound, int detail) override {
        heard += Names[static_cast<int>(sound)];
        // Only where the detail picks the note is it part of what is heard.
        if (sound == Sound::Word || sound == Sound::BonusWord || sound == Sound::Target ||
            sound == Sound::SweepRow || sound == Sound::LevelUp || sound == Sound::LandAir)
            heard += ":" + std::to_string(detail);
        heard += " ";
    }
};

} // namespace

class GameSoundEvents : public GameTest {
  protected:
    void SetUp() override {
        MakeGame("DOG\nEAR\nTEN\nZERO\n");
        game->sounds = &recorder;
    }
    // Begin Game, heard before the script's own events.
    void Play() {
        Begin();
        recorder.heard.clear();
    }
    // The words found now, credited and removed, the well settled again.
    void Credit() {
        game->chainStep = 0; // as at a spawn
        game->SetState(WordScan);
        for (int i = 0; i < 40 && game->state != BlockDelay; ++i)
            game->Update(0.5);
    }
    Recorder recorder;
};

TEST_F(GameSoundEvents, ScriptedGamesAnnounceEveryEventInOrder) {
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"FastDrop LandWater FastDrop LandAir:8 ",
         [&] {
             Play();
             Drop('X', 5);
             game->Update(0.01);
             game->SetState(BlockDelay);
             Drop('X', 5); // on the X in the surface row
         }},
        {"Step StepRefused StepRefused ",
         [&] {
             Play();
             game->nextLetter = 'X';
             game->Update(0.25);
             game->SetCell(3, 14, 'X');
             game->Special(ArrowLeft, 0, 0);
             game->Special(ArrowLeft, 0, 0); // into the X
             game->blockColumn = 10;
             game->Special(ArrowRight, 0, 0); // into the wall
         }},
        {"Word:0 Word:1 Word:2 ",
         [&] { // TEN and EAR share the E; then DOG closes up
             Play();
             Put(2, 7, "TEND", true);
             Put(3, 7, "OA", true);
             Put(4, 7, "GR", true);
             Credit();
         }},
        {"BonusWord:0 ",
         [&] {
             Play();
             Put(0, 7, "DOG");
             game->bonusBlock = true;
             game->bonusCell = WellCell{1, 7};
             Credit();
         }},
        {"Word:0 Target:1 Sweep:0 Sweep:1 Sweep:2 Sweep:3 Sweep:4 Sweep:5 Sweep:6 Sweep:7 "
         "Sweep:8 Sweep:9 Sweep:10 Sweep:11 Sweep:12 Sweep:13 Sweep:14 ",
         [&] {
             Play();
             Put(0, 8, "DOG");
             Put(0, 7, "ZERO");
             game->targetIndex = game->dictionary.Find("ZERO");
             Credit();
         }},
        {"Word:0 LevelUp:2 ",
         [&] {
             Play();
             game->wordsMade = 9;
             Put(0, 7, "EAR");
             Credit();
         }},
        {"Pause Resume Pause Resume GameOver ",
         [&] {
             Play();
             game->Keyboard(KeyTab, 0, 0);
             game->Keyboard(KeyEscape, 0, 0); // only resumes
             game->Keyboard(KeyTab, 0, 0);
             game->MouseDown(0, 0, 0);
             game->Keyboard(KeyEscape, 0, 0); // 0 points: no place in the Hall of Fame
         }},
        {"Wildcard Named HighScore NameKey NameKey Backspace ",
         [&] {
             Play();
             game->nextLetter = '?';
             game->Update(0.25);
             game->Keyboard('q', 0, 0);
             game->Keyboard('r', 0, 0); // the block keeps its Q
             game->score = 70;
             game->Keyboard(KeyEscape, 0, 0);
             for (int key : {KeyBackspace, int('A'), int('b'), KeyBackspace, 200})
                 game->Keyboard(key, 0, 0);
         }},
        {"MenuMove MenuMove MenuChange MenuMove MenuChange MenuMove MenuBegin ",
         [&] { // keys, Enter on the skill and on "Show Next", the pointer, Begin Game;
             // last, as it leaves the skill at Advanced
             Begin(1, false);
             for (int key : {ArrowUp, ArrowUp, 999})
                 game->Special(key, 0, 0);
             game->Keyboard(KeySpace, 0, 0);
             game->Special(ArrowDown, 0, 0);
             game->Keyboard(KeyEnter, 0, 0);
             game->height = 480;
             game->PassiveMotion(0, 360); // 3.75 fifteenths up: High Scores...
             game->PassiveMotion(0, 360); // ...once: the highlight did not move again
             game->menuCursor = 2;
             game->Keyboard(KeyEnter, 0, 0);
         }},
    };
    for (const auto& [heard, script] : cases) {
        SCOPED_TRACE(heard);
        recorder.heard.clear();
        script();
        EXPECT_EQ(recorder.heard, heard);
    }
}

TEST_F(GameSoundEvents, F2SwitchesSoundInEveryStateAndChangesNothingElse) {
    Begin(1, false);
    for (int state : {TitleMenu, BlockDelay, BlockFalling, WordRemoval, Paused, GameOver,
                      HallOfFame, WellSweep}) {
        SCOPED_TRACE(state);
        game->state = state;
        recorder.heard.clear();
        const int column = game->blockColumn, cursor = game->menuCursor;
        game->Special(KeyF2, 0, 0);
        EXPECT_EQ(recorder.heard, "Switch ");
        EXPECT_EQ(std::make_tuple(game->state, game->blockColumn, game->menuCursor),
                  std::make_tuple(state, column, cursor));
    }
}

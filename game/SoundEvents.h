#pragma once

// What the rules announce for the ears: each event with its detail. The game
// only announces; whoever listens (sound/ on every platform, a test's
// recorder) decides what is heard.

enum class Sound : int {
    MenuMove = 0,  // the title menu's highlight moved
    MenuChange,    // a setting changed, or High Scores was chosen
    MenuBegin,     // Begin Game
    Step,          // the falling block stepped sideways
    StepRefused,   // a wall or a column refused the step
    FastDrop,      // the down arrow started a fast drop
    LandAir,       // a block landed on a column; detail: its row
    LandWater,     // a block landed on the water (the surface row)
    Wildcard,      // a '?' block appeared
    WildcardNamed, // the player named it
    Word,          // a word credited; detail: its step in the chain, from 0
    BonusWord,     // a word with the bonus block; detail: the chain step
    Target,        // the target word credited
    SweepRow,      // the sweep emptied a row; detail: the row
    LevelUp,       // detail: the new level
    Pause,
    Resume,
    GameOver,          // a score the Hall of Fame won't take
    GameOverHighScore, // a score that enters the Hall of Fame
    NameKey,           // a character added to the name
    NameBackspace,     // the name's last character taken back
    Switch,            // F2: sound off, or on again; the listener keeps which
};
constexpr int SoundCount = static_cast<int>(Sound::Switch) + 1;

class SoundEvents {
  public:
    virtual void Announce(Sound sound, int detail) = 0;

  protected:
    ~SoundEvents() = default;
};

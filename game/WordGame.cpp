#include "game/WordGame.h"

#include <cstring>

namespace {
const char* const DictionaryFile = "dictionary.txt";
const char* const HighScoreFile = "glyphtumble.hi";
const char* const LettersFile = "letters.txt";
} // namespace

WordGame::WordGame()
    : glReady(false), viewCentreX(0.0), viewCentreY(0.0), sceneWidth(20.0), sceneHeight(15.0),
      coarseTexture(0), tileTexture(0), waterTexture(0), blockList(0), state(TitleMenu),
      minWordLength(3), score(0), wordsMade(0), targetLength(0), targetIndex(-1), level(1),
      maxTargetLength(10), wordsPerLevel(10), chainMultiplier(1), nameQualifies(false),
      showNext(true), nextLetter('A'), skill(1), pausedState(TitleMenu), spinAngle(0.0),
      menuCursor(2), menuBands{6.0, 5.0, 4.0, 3.0, 2.0}, delayLength(BlockDelayLength),
      delayTime(0.0), blockColumn(SpawnColumn), blockHeight(SpawnHeight), fallSpeed(0.5),
      fastDrop(false), blockLetter('A'), bonusBlock(false), wildcardBlock(false), sideStep(0),
      landingColumn(SpawnColumn),
      targetMade(false), revealIndex(0), revealTime(0.0), revealInterval(RevealInterval),
      sweepRow(0), sweepTime(0.0), sweepInterval(SweepInterval) {
    std::memset(well, 0, sizeof well);
    // Start checks that the list holds words; here a missing file is quiet.
    dictionary.Load(DictionaryFile);
    letters.Set(LetterBag, LetterBagLetters, LetterValues);
    const LetterSupply::LoadResult language = letters.Load(LettersFile);
    languageChosen = language == LetterSupply::Loaded;
    lettersRefused = language == LetterSupply::Malformed;
    highScores.font = &font;
    highScores.Open(HighScoreFile);
}

WordGame::~WordGame() {
    highScores.Save();
    highScores.Close();
}

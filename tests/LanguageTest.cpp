// letters.txt read or refused, and a German game on the real WordGame: its
// points, its '?' blocks and its names (\xc4 is Ä, \xe4 ä, \xfc ü).

#include "tests/support/GameFixture.h"

TEST(LetterSupplyTest, AGoodFileMalformedOnesRefusedWithTheirLineAndNoFileIsEnglish) {
    const struct {
        const char *name, *file; // "" for none
        LetterSupply::LoadResult result;
        std::string tiles, err, values; // values: letter and points in pairs, ':' is 10
    } rows[] = {
        {"good", "# a comment\nZ 2 10\r\n\n \xc4 1 6  # trailing\nK 0 5\n? 2\n",
         LetterSupply::Loaded, "ZZ\xc4??", "", "Z:\xc4" "6K5A0?0"},
        {"unknown letter", "A 2 1\n\xe4 1 6\n", LetterSupply::Malformed, "",
         "LetterSupply::Load(): letters.txt line 2 names no upper-case letter\n", ""},
        {"count", "A 2 1\nB 1 3\n? x\n", LetterSupply::Malformed, "",
         "LetterSupply::Load(): letters.txt line 3 has a number that doesn't parse\n", ""},
        {"no tiles", "# none\nA 0 1\n? 4\n", LetterSupply::Malformed, "",
         "LetterSupply::Load(): letters.txt gives no letter a tile\n", ""},
        {"none", "", LetterSupply::Missing, WordGame::LetterBag, "", "A1Q:Z:\xc4" "0?0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir folder(true);
        if (*row.file != '\0')
            folder.Write("letters.txt", row.file);
        folder.Write("dictionary.txt", "CAT\n");
        testing::internal::CaptureStderr();
        WordGame game;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), row.err);
        EXPECT_EQ(game.Start(), row.result != LetterSupply::Malformed);
        EXPECT_EQ(game.languageChosen, row.result == LetterSupply::Loaded);
        if (row.result == LetterSupply::Malformed)
            continue;
        EXPECT_EQ(game.letters.tiles, row.tiles);
        EXPECT_EQ(game.letters.letterTiles, static_cast<int>(row.tiles.find('?')));
        for (size_t i = 0; i < row.values.size(); i += 2)
            EXPECT_EQ(game.LetterValue(row.values[i]), row.values[i + 1] - '0') << row.values[i];
    }
}

// English ignores the same keys (GameInputTest), and Ä scores 0 (GameWordsTest).
class GermanGame : public GameTest {
  protected:
    void SetUp() override {
        folder.Write("letters.txt", TempDir::Read(GLYPHTUMBLE_DATA_DIR "/de/letters.txt"));
        MakeGame("TEE\n\xc4RA\n"); // sorted by unsigned bytes: Ä after Z
        Begin();
        game->targetIndex = -1;
    }
    // From BlockDelay, a '?' block falling and the keys typed.
    char Wildcard(const std::vector<int>& keys) {
        game->SetState(BlockDelay);
        game->nextLetter = '?';
        game->Update(WordGame::BlockDelayLength);
        for (int key : keys)
            game->Keyboard(key, 0, 0);
        return game->blockLetter;
    }
    // The name typed on a qualifying game over and stored with Enter.
    std::string Name(const std::vector<int>& keys) {
        Begin();
        game->score = 70;
        game->Keyboard(KeyEscape, 0, 0);
        for (int key : keys)
            game->Keyboard(key, 0, 0);
        game->Keyboard(KeyEnter, 0, 0);
        return TempDir::Read("glyphtumble.hi").substr(9 * 44, 7);
    }
};

TEST_F(GermanGame, UmlautsScoreTheirPointsAndTypeForWildcardsAndNames) {
    // ÄRA at the first level, Intermediate: (6 + 1 + 1) * 5 / 4 * 3 / 2 = 15.
    Put(0, 7, "\xc4RA");
    game->ScanWell();
    ASSERT_EQ(game->foundWords.size(), 1u);
    EXPECT_EQ(game->foundWords[0].points, 15);
    // Typed for '?': ä gives German's own Ä, é folds to E; ß, the division
    // sign and the no-break space give nothing; the first letter taken stays.
    const std::pair<std::vector<int>, char> wildcards[] = {
        {{0xe4}, '\xc4'}, {{0xe9}, 'E'}, {{0xdf, 0xf7, 0xa0, 'j'}, 'J'}, {{'q', 0xfc}, 'Q'}};
    for (const auto& [keys, letter] : wildcards)
        EXPECT_EQ(Wildcard(keys), letter) << keys[0];
    // ü stored as its one byte; 128 to 159 are not printable.
    EXPECT_EQ(Name({'M', 0xfc, 0x80, 0x9f, 'l', 'l', 'e', 'r'}), std::string("M\xfcller\0", 7));
}

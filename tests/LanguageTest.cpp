// Another language's letters: letters.txt read or refused, and a German game
// on the real WordGame, its points, its '?' blocks and its names.

#include "tests/support/GameFixture.h"

namespace {

// A Latin-1 string from a UTF-8 literal, so the rows read as the player does.
std::string Latin1(const std::string& utf8) {
    std::string bytes;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0xC2 && c <= 0xC3 && i + 1 < utf8.size())
            bytes += static_cast<char>(((c & 0x1F) << 6) | (utf8[++i] & 0x3F));
        else
            bytes += static_cast<char>(c);
    }
    return bytes;
}

std::string GermanLetters() { return TempDir::Read(GLYPHTUMBLE_DATA_DIR "/de/letters.txt"); }

} // namespace

TEST(LetterSupplyTest, AGoodFileMalformedOnesRefusedWithTheirLineAndNoFileIsEnglish) {
    struct Row {
        const char* name;
        std::string file; // "" for none
        LetterSupply::LoadResult result;
        std::string tiles, err;
        std::string values = ""; // letter and points, in pairs: "Z:" is Z at 10
    };
    const Row rows[] = {
        {"good", Latin1("# a comment\nZ 2 10\r\n\n Ä 1 6  # trailing\nK 0 5\n? 2\n"),
         LetterSupply::Loaded, Latin1("ZZÄ??"), "", Latin1("Z:Ä6K5A0?0")},
        {"unknown letter", "A 2 1\n\xE4 1 6\n", LetterSupply::Malformed, "",
         "LetterSupply::Load(): letters.txt line 2 names no upper-case letter\n"},
        {"count", "A 2 1\nB 1 3\n? x\n", LetterSupply::Malformed, "",
         "LetterSupply::Load(): letters.txt line 3 has a number that doesn't parse\n"},
        {"no tiles", "# none\nA 0 1\n? 4\n", LetterSupply::Malformed, "",
         "LetterSupply::Load(): letters.txt gives no letter a tile\n"},
        {"none", "", LetterSupply::Missing, WordGame::LetterBag, "", Latin1("A1Q:Z:Ä0?0")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir folder(true);
        if (!row.file.empty())
            folder.Write("letters.txt", row.file);
        folder.Write("dictionary.txt", "CAT\n");
        testing::internal::CaptureStderr();
        WordGame game;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), row.err);
        EXPECT_EQ(game.Start(), row.result != LetterSupply::Malformed);
        EXPECT_EQ(game.languageChosen, row.result == LetterSupply::Loaded);
        if (row.result == LetterSupply::Malformed)
            continue; // refused: the game won't start, whatever it holds
        EXPECT_EQ(game.letters.tiles, row.tiles);
        EXPECT_EQ(game.letters.letterTiles, static_cast<int>(row.tiles.find('?')));
        for (size_t i = 0; i < row.values.size(); i += 2)
            EXPECT_EQ(game.LetterValue(row.values[i]), row.values[i + 1] - '0') << row.values[i];
    }
}

// A German game over the German letters; the well written by hand.
class GermanGame : public GameTest {
  protected:
    void SetUp() override {
        folder.Write("letters.txt", GermanLetters());
        MakeGame(Latin1("TEE\nÄRA\n")); // sorted by unsigned bytes: Ä after Z
        Begin();
        game->targetIndex = -1;
    }
    // From BlockDelay, a '?' block falling and the keys typed.
    char Wildcard(const std::vector<int>& keys) {
        game->nextLetter = '?';
        game->Update(WordGame::BlockDelayLength);
        for (int key : keys)
            game->Keyboard(key, 0, 0);
        return game->blockLetter;
    }
    // The name typed on a qualifying game over and stored with Enter.
    std::string Name(const std::vector<int>& keys) {
        game->score = 70;
        game->Keyboard(KeyEscape, 0, 0);
        for (int key : keys)
            game->Keyboard(key, 0, 0);
        game->Keyboard(KeyEnter, 0, 0);
        return game->highScores.entries[9].name;
    }
};

TEST_F(GermanGame, UmlautsScoreTheirPointsAndTypeForWildcardsAndNames) {
    // ÄRA at the first level, Intermediate: (6 + 1 + 1) * 5 / 4 * 3 / 2 = 15.
    Put(0, 7, Latin1("ÄRA"));
    game->ScanWell();
    ASSERT_EQ(game->foundWords.size(), 1u);
    EXPECT_EQ(game->foundWords[0].points, 15);
    // Typed for '?': ä gives German's own Ä, é folds to E; ß, the division
    // sign and the no-break space give nothing; the first letter taken stays.
    const std::tuple<std::vector<int>, std::string> wildcards[] = {
        {{0xE4}, Latin1("Ä")}, {{0xE9}, "E"}, {{0xDF, 0xF7, 0xA0, 'j'}, "J"}, {{'q', 0xFC}, "Q"}};
    for (const auto& [keys, letter] : wildcards) {
        game->SetState(BlockDelay);
        EXPECT_EQ(std::string(1, Wildcard(keys)), letter) << keys[0];
    }
    // Latin-1 names: ü stored as its one byte; 128 to 159 are not printable.
    Begin();
    EXPECT_EQ(Name({'M', 0xFC, 0x80, 0x9F, 'l', 'l', 'e', 'r'}), Latin1("Müller"));
    EXPECT_EQ(TempDir::Read("glyphtumble.hi").substr(9 * 44, 6), Latin1("Müller"));
}

// The same keys in English: ä does nothing to a '?' and nothing to a name.
TEST_F(GermanGame, EnglishIgnoresLatin1Keys) {
    game.reset();
    std::remove("letters.txt");
    MakeGame("TEE\n");
    Begin();
    EXPECT_EQ(Wildcard({0xE4, 0xC4}), '?');
    EXPECT_EQ(game->LetterValue(Latin1("Ä")[0]), 0);
    Begin();
    EXPECT_EQ(Name({'M', 0xFC, 'l', 'l', 'e', 'r'}), "Mller");
}

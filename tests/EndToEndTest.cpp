// The real game binary on the test run's X display, played with real key and
// mouse events through xdotool: the title menu, a game with known letters up
// to two words, pause and resume, giving up, typing a name, the Hall of Fame,
// and "Exit to system"; then the bytes of "glyphtumble.hi", and a second run
// that must find them as they were.
//
// The letters are known because the game runs with the test preload library
// (tests/preload), whose rand returns a fixed list. Every spawn draws twice
// (the next letter, then the bonus draw), so the preload's call log tells the
// test which block is falling without looking at the screen.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tests/support/GameProcess.h"
#include "tests/support/TempDir.h"
#include "tests/support/Xdo.h"

namespace {

// The game's window: 640 x 480 in the lower right of the 1280 x 1024 screen,
// away from the windows that other tests open at the top left.
const std::vector<std::string> WindowArgs = {"-w", "640", "-h", "480", "-geometry", "+640+544"};
constexpr int WindowWidth = 640;
constexpr int WindowHeight = 480;

// rand values, in the order the game draws them. Letters are the tile index
// into the 102-tile bag (A 0 or 102, I 36, J 45, Q 69, U 86, X 94, Z 97,
// ? 98); a bonus draw makes a bonus block when it is a multiple of 50; the
// target-word draws of 1 pick a word near the start of the list.
// clang-format off
const std::vector<int> Deal = {
    1, 1,     // Start: the first target word
    98,       // block 1: '?'
    1, 1,     // Begin Game at Advanced: the target for the longer minimum
    1, 1,     // and the first 4-letter target
    97, 1,    // spawn 1: block 2 is Z; block 1 no bonus
    102, 1,   // spawn 2: block 3 is A
    45, 1,    // spawn 3: block 4 is J
    86, 50,   // spawn 4: block 5 is U; block 4 (J) is a bonus block
    69, 1,    // spawn 5: block 6 is Q
    36, 1,    // spawn 6: block 7 is I
    97, 1,    // spawn 7: block 8 is Z
    94, 1, 94, 1, 94, 1, 94, 1, 94, 1, 94, 1, 94, 1, 94, 1, // then only X
};
// clang-format on
// The rand call that ends spawn k (its bonus draw), counted from 1.
constexpr int SpawnDone(int k) {
    return 2 * k + 7;
}

std::string DealText() {
    std::string text;
    for (const int value : Deal)
        text += (text.empty() ? "" : ",") + std::to_string(value);
    return text;
}

// One 44-byte Hall of Fame record as the file holds it.
std::string Record(const std::string& name, std::int32_t score, std::int32_t words,
                   std::int32_t skill) {
    std::string bytes = name;
    bytes.resize(32, '\0');
    for (const std::int32_t v : {score, words, skill})
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<char>(static_cast<std::uint32_t>(v) >> shift));
    return bytes;
}

// The number of different colours in a picture.
size_t Colours(const std::string& rgb) {
    std::set<std::uint32_t> colours;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        colours.insert(static_cast<std::uint8_t>(rgb[i]) << 16 |
                       static_cast<std::uint8_t>(rgb[i + 1]) << 8 |
                       static_cast<std::uint8_t>(rgb[i + 2]));
    return colours.size();
}

// Whether the window shows at least that many colours, within a few seconds
// (the first frames take a while under valgrind).
bool Drawn(const std::string& window, size_t colours) {
    return WaitFor(5, [&] { return Colours(Screenshot(window)) >= colours; });
}

class EndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        run = base.Path() + "/run";
        std::filesystem::create_directory(run);
        for (const char* file :
             {"dictionary.txt", "font.pgm", "tile.ppm", "water.ppm", "coarse.ppm"})
            std::filesystem::create_symlink(std::string(GLYPHTUMBLE_DATA_DIR) + "/" + file,
                                            run + "/" + file);
        randLog = base.File("rand.log");
    }

    // The number of rand calls the game has made.
    std::uintmax_t RandCalls() const {
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(randLog, error);
        return error ? 0 : size;
    }

    bool WaitForRandCalls(std::uintmax_t calls, double seconds = 15) {
        return WaitFor(seconds, [&] { return RandCalls() >= calls; });
    }

    std::unique_ptr<GameProcess> Launch() {
        return std::make_unique<GameProcess>(
            GLYPHTUMBLE_BINARY, WindowArgs, run,
            std::vector<std::string>{"GLYPHTUMBLE_RAND=" + DealText(),
                                     "GLYPHTUMBLE_RAND_LOG=" + randLog});
    }

    // Finds the window and gives it the keyboard.
    std::string Attach(GameProcess& game) {
        const std::string window = game.Window(20);
        if (!window.empty())
            Xdo("windowfocus --sync " + window);
        return window;
    }

    // Keys through the X server to the focused window, as a player's would go.
    void Keys(const std::string& keys) {
        bool ok = false;
        Xdo("key --delay 30 " + keys, &ok);
        EXPECT_TRUE(ok) << "xdotool key " << keys;
    }

    std::string HighScores() const { return TempDir::Read(run + "/glyphtumble.hi"); }

    TempDir base;
    std::string run;
    std::string randLog;
};

TEST_F(EndToEndTest, MenuGameNameAndHallOfFameThroughRealEvents) {
    // A Hall of Fame that the new score lands in the middle of.
    std::string before;
    for (int i = 0; i < 10; ++i)
        before += Record("Player " + std::to_string(i), 30 * (i + 1), i + 1, i % 3);
    base.Write("run/glyphtumble.hi", before);
    ASSERT_EQ(before.size(), 440u);
    // The test plays JAZZ and QUIZ; the word list must hold them.
    const std::string words = TempDir::Read(run + "/dictionary.txt");
    ASSERT_NE(words.find("\nJAZZ\n"), std::string::npos);
    ASSERT_NE(words.find("\nQUIZ\n"), std::string::npos);

    auto game = Launch();
    const std::string window = Attach(*game);
    ASSERT_FALSE(window.empty()) << "no game window\n" << game->Err();
    ASSERT_TRUE(WaitForRandCalls(2)) << "the title menu never came";

    // Something is drawn: a lit, textured scene has many colours.
    EXPECT_TRUE(Drawn(window, 64)) << "the title menu looks blank";

    // The menu opens on "Begin Game". Up three times wraps round to "Exit to
    // system", Down wraps on to "Skill Level: ", Return makes it Advanced;
    // Down, Space hides the next block.
    Keys("Up Up Up Down Return Down space");
    // The pointer on the "Begin Game" band (its lower edge is 4 fifteenths
    // of the window above the bottom) selects it, and a click is an Enter.
    const int beginY = WindowHeight - WindowHeight * 9 / 30;
    Xdo("mousemove --window " + window + " " + std::to_string(WindowWidth / 2) + " " +
        std::to_string(beginY));
    Pause(0.2);
    Xdo("click 1");

    // Block 1 is a '?': the first letter typed while it falls is its letter.
    ASSERT_TRUE(WaitForRandCalls(SpawnDone(1))) << "the game did not begin";
    Keys("z");
    // From here every block drops fast; those at column 5 stack there.
    Xdo("keydown Down");
    // Blocks 2 to 4 (Z, A, J) finish the column J A Z Z, read downwards.
    ASSERT_TRUE(WaitForRandCalls(SpawnDone(5)));
    // Block 5 (U) stays at column 5; Q goes one left, I one right, Z two
    // right: QUIZ across the surface row.
    ASSERT_TRUE(WaitForRandCalls(SpawnDone(6)));
    Keys("Left");
    ASSERT_TRUE(WaitForRandCalls(SpawnDone(7)));
    Keys("Right");
    ASSERT_TRUE(WaitForRandCalls(SpawnDone(8)));
    Keys("Right Right");
    // Block 9 spawns once QUIZ has been credited.
    ASSERT_TRUE(WaitForRandCalls(SpawnDone(9)));
    Xdo("keyup Down");

    // Tab pauses; Escape then only resumes; a second Escape gives up.
    Keys("Tab Escape Escape");
    // The score qualifies: a name with a typo mended by Backspace.
    Keys("Z o e x BackSpace y Return");

    // JAZZ: J 8 + A 1 + Z 10 + Z 10 (the '?' scores nothing only in the scan
    // right after it lands) + 2 for four letters = 31, doubled for the bonus
    // block J = 62; + 62 / 4 at level 1 = 77; x 2 Advanced = 154; x 23 / 20
    // for the hidden next block = 177. QUIZ: 10 + 1 + 1 + 10 + 2 = 24;
    // + 6 = 30; x 2 = 60; x 23 / 20 = 69. 246 beats 30 to 240: the lowest
    // drops out and the rest below the new entry move down one place.
    std::string expected;
    for (int i = 1; i < 8; ++i)
        expected += Record("Player " + std::to_string(i), 30 * (i + 1), i + 1, i % 3);
    expected += Record("Zoey", 246, 2, 2);
    for (int i = 8; i < 10; ++i)
        expected += Record("Player " + std::to_string(i), 30 * (i + 1), i + 1, i % 3);
    EXPECT_TRUE(WaitFor(10, [&] { return HighScores() == expected; }))
        << "the name was not saved as expected";

    EXPECT_TRUE(Drawn(window, 16)) << "the Hall of Fame looks blank";

    // The Hall of Fame is showing: any key leads back to the menu. Down,
    // Return opens "High Scores"; a click leaves it; Down twice and Return
    // on "Exit to system" ends the program.
    Keys("space");
    Pause(0.3);
    Keys("Down Return");
    Pause(0.3);
    Xdo("click 1");
    Pause(0.3);
    Keys("Down Down Return");
    EXPECT_EQ(game->Wait(10), 0) << game->Err();
    EXPECT_EQ(HighScores(), expected);

    // A second run reads the table back and leaves it as it is: Escape from
    // the Hall of Fame returns to the menu, Escape there ends the program.
    std::filesystem::remove(randLog);
    auto second = Launch();
    ASSERT_FALSE(Attach(*second).empty()) << second->Err();
    ASSERT_TRUE(WaitForRandCalls(2));
    Keys("Down Return");
    Pause(0.3);
    Keys("Escape");
    Pause(0.3);
    Keys("Escape");
    EXPECT_EQ(second->Wait(10), 0) << second->Err();
    EXPECT_EQ(HighScores(), expected);

    // The run folder holds the data files and the table, nothing else.
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(run))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"coarse.ppm", "dictionary.txt", "font.pgm",
                                               "glyphtumble.hi", "tile.ppm", "water.ppm"}));
}

} // namespace

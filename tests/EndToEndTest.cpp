// The real game played with real key and mouse events (xdotool), with letters
// dealt by the test preload's rand.

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/GameProcess.h"

TEST(EndToEndTest, MenuGameNameAndHallOfFameThroughRealEvents) {
    TempDir base;
    const std::string run = MakeRunFolder(base), calls = base.File("rand");
    const auto HighScores = [&] { return TempDir::Read(run + "/glyphtumble.hi"); };
    // Waits long: frames are few on a busy machine, and blocks fall a quarter row a frame.
    const auto RandCalls = [&](size_t count) {
        return WaitFor(60, [&] { return TempDir::Read(calls).size() >= count; });
    };
    // A Hall of Fame that the new score lands in the middle of.
    const std::string before = Table(30);
    base.Write("run/glyphtumble.hi", before);
    // rand values in the order drawn. Letters index the 102-tile bag (A 0 or
    // 102, I 36, J 45, Q 69, U 86, X 94, Z 97, ? 98); a bonus draw that is a
    // multiple of 50 makes a bonus block. Spawn k draws the next letter, then
    // the bonus: 2k+7 calls.
    const std::string deal = "1,1,98,"          // the first target word; block 1 is '?'
                             "1,1,1,1,"         // Begin Game at Advanced: two more targets
                             "97,1,102,1,45,1," // spawns 1-3: Z, A, J
                             "86,50,"           // spawn 4: U; block 4 (J) is a bonus block
                             "69,1,36,1,97,1,"  // spawns 5-7: Q, I, Z
                             "94,1";            // then X
    GameProcess game(run, {"-w", "640", "-h", "480", "-geometry", "+640+544"},
                     {"GLYPHTUMBLE_RAND=" + deal, "GLYPHTUMBLE_RAND_LOG=" + calls});
    const std::string window = game.Window(20);
    ASSERT_NE(window, "") << game.Err();
    ASSERT_TRUE(RandCalls(2)) << "the title menu never came";
    const std::string count = "timeout 10 import -window " + window + " -format %k info:";
    const auto colours = [&] { return std::atoi(Shell(count).c_str()); }; // the window shows
    EXPECT_TRUE(WaitFor(5, [&] { return colours() >= 64; })) << "the title menu looks blank";

    // Up x3 wraps to "Exit to system", Down on to "Skill Level: ", Return
    // makes it Advanced; Down, Space hides the next block.
    game.Keys("Up Up Up Down Return Down space");
    // The pointer on the "Begin Game" band selects it; a click is an Enter.
    Xdo("mousemove --window " + window + " 320 336"); // 640 x 480: 9/30 up from the bottom
    Pause(0.2);
    Xdo("click 1");

    // Block 1 is a '?': the first letter typed while it falls is its letter.
    ASSERT_TRUE(RandCalls(9)) << "the game did not begin";
    game.Keys("z");
    // Every block now drops fast; Z, A, J stack on it at column 5: JAZZ downwards.
    Xdo("keydown --window " + window + " Down");
    // U stays at column 5; Q one left, I one right, Z two right: QUIZ across,
    // credited once block 9 spawns.
    for (const auto& [spawn, keys] : std::vector<std::pair<int, std::string>>{
             {5, ""}, {6, "Left"}, {7, "Right"}, {8, "Right Right"}, {9, ""}}) {
        ASSERT_TRUE(RandCalls(2 * spawn + 7)) << "spawn " << spawn;
        if (!keys.empty())
            game.Keys(keys);
    }
    Xdo("keyup --window " + window + " Down");

    // Tab pauses, Escape resumes, Escape gives up; a name mended by Backspace.
    game.Keys("Tab Escape Escape Z o e x BackSpace y Return");

    // JAZZ (8+1+10+10+2) x2 bonus = 62, +62/4 = 77, x2 Advanced = 154, x23/20
    // hidden next = 177; QUIZ (10+1+1+10+2) = 24, +6, x2, x23/20 = 69: 246.
    // The lowest entry drops out; those below the new one move down.
    const std::string expected =
        before.substr(44, 7 * 44) + Record("Zoey", 246, 2, 2) + before.substr(8 * 44);
    EXPECT_TRUE(WaitFor(10, [&] { return HighScores() == expected; }))
        << "the name was not saved as expected";

    // A click to the menu, "Exit to system".
    Xdo("click 1");
    game.Keys("Down Down Return", 0.3);
    EXPECT_EQ(game.Wait(10), 0) << game.Err();
    if (std::getenv("GLYPHTUMBLE_WRAPPER") == nullptr) { // valgrind has its say there
        EXPECT_EQ(game.Err(), ""); // no sound card here: neither ALSA nor OpenAL may say so
    }
    EXPECT_EQ(HighScores(), expected);
}

// A German game in its own folder, as the launchers make it: an ä typed for a
// '?' block makes ÄHRE, and a name with ü reaches the Hall of Fame as Latin-1.
TEST(EndToEndTest, GermanGameWithUmlautsTypedOnTheKeyboard) {
    TempDir base;
    const std::string run = MakeRunFolder(base, "de"), calls = base.File("rand");
    base.Write("run/glyphtumble.hi", Table(0));
    // As above, in the German bag of 104 tiles: E 0, R 37, H 64, X 97, ? 100.
    const std::string deal = "1,1,0,1,1,1,1,37,1,64,1,100,1,97,1,97,1,97,1";
    GameProcess game(run, {"-w", "640", "-h", "480", "-geometry", "+640+544"},
                     {"GLYPHTUMBLE_RAND=" + deal, "GLYPHTUMBLE_RAND_LOG=" + calls});
    const auto RandCalls = [&](size_t count) {
        return WaitFor(60, [&] { return TempDir::Read(calls).size() >= count; });
    };
    ASSERT_NE(game.Window(20), "") << game.Err();
    ASSERT_TRUE(RandCalls(2)) << "the title menu never came";
    // Advanced, the next block hidden, Begin Game; every block drops fast.
    game.Keys("Up Up Up Down Return Down space Down Return");
    ASSERT_TRUE(RandCalls(9)) << "the game did not begin";
    Xdo("keydown --window " + game.Window() + " Down");
    // E, R and H stack at column 5; the '?' on top, falling slowly, takes the
    // ä, which xdotool binds to a key only for the key's delay: long enough
    // for a busy game to read the binding.
    ASSERT_TRUE(RandCalls(15)) << "the '?' block never came";
    const std::string w = " --window " + game.Window(), umlaut = " key" + w + " --delay 400 ";
    Xdo("keyup" + w + " Down" + umlaut + "adiaeresis keydown" + w + " Down");
    ASSERT_TRUE(RandCalls(17)) << "the block after it never came";
    Xdo("keyup" + w + " Down key" + w + " Escape M" + umlaut + "udiaeresis key" + w +
        " l l e r Return");
    // ÄHRE: (0 for the '?' + 2 + 1 + 1 + 2) + 6 / 4 = 7, x2 Advanced, x23/20 hidden: 16.
    const std::string expected = Table(0).substr(44) + Record("M\xfcller", 16, 1, 2);
    EXPECT_TRUE(WaitFor(10, [&] { return TempDir::Read(run + "/glyphtumble.hi") == expected; }))
        << "the name was not saved as expected";
    game.Keys("Return Down Down Return", 0.3);
    EXPECT_EQ(game.Wait(10), 0) << game.Err();
}

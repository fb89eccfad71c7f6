#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/support/GameProcess.h"

TEST(CommandLineTest, Parse_ReadsOptionsInOrderLaterOnesWinningAndStopsAtAnythingElse) {
    // Width, height, depth and screen mode as read; none when the parse fails.
    const std::pair<std::vector<const char*>, std::vector<int>> rows[] = {
        {{}, {800, 600, 16, 0}},
        {{"-w", "1024", "-h", "768", "-b", "32", "-F", "-w", "640"}, {640, 768, 32, 2}},
        {{"-F", "-f"}, {800, 600, 16, 1}},
        {{"-f", "-F"}, {800, 600, 16, 2}},
        {{"-w", "abc", "-h", "12x"}, {0, 12, 16, 0}},
        {{"-x"}, {}},
        {{"-W", "640"}, {}},
        {{"-w"}, {}},
        {{"-w", "10", "extra"}, {}},
        {{""}, {}}};
    for (auto [args, expected] : rows) {
        SCOPED_TRACE(::testing::PrintToString(args));
        args.insert(args.begin(), "glyphtumble");
        CommandLine o;
        const bool ok =
            ParseCommandLine(static_cast<int>(args.size()), const_cast<char**>(args.data()), o);
        EXPECT_EQ(ok ? std::vector<int>({o.width, o.height, o.depth, o.screenMode})
                     : std::vector<int>(),
                  expected);
    }
}

// The real game, run in a folder of its own.
TEST(CommandLineTest, Binary_PrintsUsageAndFallsBackFromGameMode) {
    const std::string usage =
        "Glyphtumble\nby Marrowdale\nversion 1.10 build 2003-12-06\n\n"
        "Command line options:\n"
        "\t-w XXX -h YYY : set window size to XXX by YYY\n"
        "\t-b XX         : set color depth to XX\n"
        "\t-f            : run in full screen [desktop resolution]\n"
        "\t-F            : run in full screen [switch resolution (Win32 only)]\n";
    const std::string fallback = "psGlutApp::OpenWindow(): Couldn't switch the display to "
                                 "800x600, using a full-screen window instead.\n";
    // Options, status (-1: still running after two seconds), what standard error holds.
    const std::tuple<std::vector<std::string>, int, std::string> rows[] = {
        {{"-f", "-x"}, 0, usage}, {{"-f", "-w"}, 0, usage}, {{"-b", "0", "-F"}, -1, fallback}};
    for (const auto& [args, status, err] : rows) {
        SCOPED_TRACE(::testing::PrintToString(args));
        TempDir base;
        const std::string run = MakeRunFolder(base);
        GameProcess game(run, args);
        EXPECT_EQ(game.Wait(status < 0 ? 2 : 30), status) << game.Err();
        EXPECT_TRUE(status == 0 ? game.Err() == err : game.Err().find(err) != std::string::npos)
            << game.Err();
        // The usage text comes after the table is opened, and the table is saved at the end.
        EXPECT_TRUE(status < 0 || TempDir::Read(run + "/glyphtumble.hi").size() == 440u);
    }
}

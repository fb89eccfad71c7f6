#include "app/CommandLine.h"

#include <gtest/gtest.h>

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

TEST(CommandLineTest, Binary_PrintsUsageAndFallsBackFromGameMode) {
    const std::string usage =
        "Glyphtumble\nby Marrowdale\nversion 1.10 build 2003-12-06\n\n"
        "Command line options:\n"
        "\t-w XXX -h YYY : set window size to XXX by YYY\n"
        "\t-b XX         : set color depth to XX\n"
        "\t-f            : run in full screen [desktop resolution]\n"
        "\t-F            : run in full screen [switch resolution (Win32 only)]\n";
    // Options, status (-1: still running after two seconds), standard error.
    const std::tuple<std::vector<std::string>, int, std::string> rows[] = {
        {{"-f", "-x"}, 0, usage},
        {{"-f", "-w"}, 0, usage},
        {{"-b", "0", "-F"},
         -1,
         "psGlutApp::OpenWindow(): Couldn't switch the display to 800x600, "
         "using a full-screen window instead.\n"}};
    for (const auto& [args, status, err] : rows) {
        SCOPED_TRACE(::testing::PrintToString(args));
        TempDir base;
        GameProcess game(MakeRunFolder(base), args);
        EXPECT_EQ(game.Wait(status < 0 ? 2 : 30), status);
        // freeglut may say something of its own before the fallback.
        EXPECT_TRUE(status == 0 ? game.Err() == err : game.Err().find(err) != std::string::npos)
            << game.Err();
        // The table is opened before the options are read, and saved as main returns.
        EXPECT_EQ(TempDir::Read(base.File("run/glyphtumble.hi")).size(), status < 0 ? 0u : 440u);
    }
}

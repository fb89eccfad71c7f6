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
        args.insert(args.begin(), "glyphtumble");
        CommandLine o;
        const bool ok =
            ParseCommandLine(static_cast<int>(args.size()), const_cast<char**>(args.data()), o);
        EXPECT_EQ(ok ? std::vector<int>({o.width, o.height, o.depth, o.screenMode})
                     : std::vector<int>(),
                  expected)
            << ::testing::PrintToString(args);
    }
}

// The usage text, status 0 and a saved table for an unknown option; the
// fallback from game mode to a full-screen window, still running.
TEST(CommandLineTest, Binary_PrintsUsageAndFallsBackFromGameMode) {
    TempDir usage, fallback;
    GameProcess x(MakeRunFolder(usage), {"-f", "-x"}),
        f(MakeRunFolder(fallback), {"-b", "0", "-F"});
    EXPECT_EQ(x.Wait(30), 0);
    EXPECT_EQ(x.Err(), "Glyphtumble\nby Marrowdale\nversion 1.10 build 2003-12-06\n\n"
                       "Command line options:\n"
                       "\t-w XXX -h YYY : set window size to XXX by YYY\n"
                       "\t-b XX         : set color depth to XX\n"
                       "\t-f            : run in full screen [desktop resolution]\n"
                       "\t-F            : run in full screen [switch resolution (Win32 only)]\n");
    EXPECT_EQ(TempDir::Read(usage.File("run/glyphtumble.hi")).size(), 440u);
    EXPECT_EQ(f.Wait(2), -1) << f.Err();
    EXPECT_NE(f.Err().find("psGlutApp::OpenWindow(): Couldn't switch the display to 800x600, "
                           "using a full-screen window instead.\n"),
              std::string::npos)
        << f.Err();
}

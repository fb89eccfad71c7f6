#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/support/RunProgram.h"
#include "tests/support/TempDir.h"

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
TEST(CommandLineTest, Binary_PrintsUsageEndsOnABadWordListAndFallsBackFromGameMode) {
    const std::string usage =
        "Glyphtumble\nby Marrowdale\nversion 1.10 build 2003-12-06\n\n"
        "Command line options:\n"
        "\t-w XXX -h YYY : set window size to XXX by YYY\n"
        "\t-b XX         : set color depth to XX\n"
        "\t-f            : run in full screen [desktop resolution]\n"
        "\t-F            : run in full screen [switch resolution (Win32 only)]\n";
    const std::string fallback = "psGlutApp::OpenWindow(): Couldn't switch the display to "
                                 "800x600, using a full-screen window instead.\n";
    // Word list (none for nullptr), options, status (-1: still running when
    // stopped after two seconds) and what standard error must hold.
    const std::tuple<const char*, std::vector<std::string>, int, std::string> rows[] = {
        {"CAT\nDOG\n", {"-f", "-x"}, 0, usage},
        {"CAT\nDOG\n", {"-f", "-w"}, 0, usage},
        {nullptr, {}, 1, ""},
        {"", {}, 1, ""},
        {"ANT", {}, 1, ""},
        {"CAT\nDOG\n", {"-b", "0", "-F"}, -1, fallback}};
    for (const auto& [words, args, status, err] : rows) {
        SCOPED_TRACE(::testing::PrintToString(words) + " " + ::testing::PrintToString(args));
        TempDir dir;
        if (words)
            dir.Write("dictionary.txt", words);
        const ProgramResult r =
            RunProgram(GLYPHTUMBLE_BINARY, args, dir.Path(), status < 0 ? 2 : 30);
        EXPECT_EQ(r.status, status) << r.err;
        EXPECT_TRUE(status == 0 ? r.err == err : r.err.find(err) != std::string::npos) << r.err;
        EXPECT_TRUE(status < 0 || TempDir::Read(dir.File("glyphtumble.hi")).size() == 440u);
    }
}

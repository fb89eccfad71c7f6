#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/support/RunProgram.h"
#include "tests/support/TempDir.h"

namespace {

bool Parse(std::initializer_list<const char*> args, CommandLine& options) {
    std::vector<char*> argv{const_cast<char*>("glyphtumble")};
    for (const char* a : args)
        argv.push_back(const_cast<char*>(a));
    argv.push_back(nullptr);
    return ParseCommandLine(static_cast<int>(argv.size()) - 1, argv.data(), options);
}

const char* const Usage =
    "Glyphtumble\nby Marrowdale\nversion 1.10 build 2003-12-06\n\n"
    "Command line options:\n"
    "\t-w XXX -h YYY : set window size to XXX by YYY\n"
    "\t-b XX         : set color depth to XX\n"
    "\t-f            : run in full screen [desktop resolution]\n"
    "\t-F            : run in full screen [switch resolution (Win32 only)]\n";

} // namespace

TEST(CommandLineTest, Parse_ReadsOptionsInOrderWithLaterOnesWinning) {
    CommandLine o;
    ASSERT_TRUE(Parse({}, o));
    EXPECT_EQ(o.width, 800);
    EXPECT_EQ(o.height, 600);
    EXPECT_EQ(o.depth, 16);
    EXPECT_EQ(o.screenMode, 0);

    CommandLine a;
    ASSERT_TRUE(Parse({"-w", "1024", "-h", "768", "-b", "32", "-F", "-w", "640"}, a));
    EXPECT_EQ(a.width, 640);
    EXPECT_EQ(a.height, 768);
    EXPECT_EQ(a.depth, 32);
    EXPECT_EQ(a.screenMode, 2);

    CommandLine b;
    ASSERT_TRUE(Parse({"-F", "-f"}, b));
    EXPECT_EQ(b.screenMode, 1);
    ASSERT_TRUE(Parse({"-f", "-F"}, b));
    EXPECT_EQ(b.screenMode, 2);

    CommandLine c;
    ASSERT_TRUE(Parse({"-w", "abc", "-h", "12x"}, c));
    EXPECT_EQ(c.width, 0) << "atoi's 0 is used as it comes";
    EXPECT_EQ(c.height, 12);
}

TEST(CommandLineTest, Parse_StopsAtAnythingThatIsNoOption) {
    for (auto args : {std::vector<const char*>{"-x"}, {"-W", "640"}, {"-w"}, {"-f", "-b"},
                      {"-w", "10", "extra"}, {""}}) {
        std::vector<char*> argv{const_cast<char*>("glyphtumble")};
        for (const char* a : args)
            argv.push_back(const_cast<char*>(a));
        CommandLine o;
        EXPECT_FALSE(ParseCommandLine(static_cast<int>(argv.size()), argv.data(), o)) << args[0];
    }
}

// The real program, started in a folder of its own with a small word list.
TEST(CommandLineTest, Binary_PrintsUsageForABadOptionAndStillWritesTheHighScoreFile) {
    for (const char* bad : {"-x", "-w"}) {
        SCOPED_TRACE(bad);
        TempDir dir;
        dir.Write("dictionary.txt", "CAT\nDOG\n");
        const ProgramResult r = RunProgram(GLYPHTUMBLE_BINARY, {"-f", bad}, dir.Path());
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, Usage);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(TempDir::Read(dir.File("glyphtumble.hi")).size(), 440u);
    }
}

TEST(CommandLineTest, Binary_EndsWithStatus1WhenTheWordListIsMissingOrEmpty) {
    for (const char* list : {"", "ANT"}) {
        TempDir dir;
        if (*list != '\0')
            dir.Write("dictionary.txt", list);
        const ProgramResult r = RunProgram(GLYPHTUMBLE_BINARY, {}, dir.Path());
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_EQ(TempDir::Read(dir.File("glyphtumble.hi")).size(), 440u);
    }
}

TEST(CommandLineTest, Binary_FallsBackToAFullScreenWindowWhenGameModeFails) {
    // Xvfb can't switch resolution, like most displays today; the game must
    // still come up (and keep running until it is stopped here).
    TempDir dir;
    dir.Write("dictionary.txt", "CAT\nDOG\n");
    const ProgramResult r = RunProgram(GLYPHTUMBLE_BINARY, {"-b", "0", "-F"}, dir.Path(), 2);
    EXPECT_EQ(r.status, -1) << "the game ended by itself: " << r.err;
    EXPECT_NE(r.err.find("psGlutApp::OpenWindow(): Couldn't switch the display to 800x600, "
                         "using a full-screen window instead.\n"),
              std::string::npos)
        << r.err;
}

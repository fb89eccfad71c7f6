#include "app/CommandLine.h"

#include <gtest/gtest.h>

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

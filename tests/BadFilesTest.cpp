// The real game on bad files in its folder, several games at once. Without a
// word it must end with status 1, otherwise play and end with status 0 on
// Escape; a high-score file stays byte for byte; nothing appears elsewhere.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <pwd.h>
#include <unistd.h>

#include "tests/support/GameProcess.h"

namespace fs = std::filesystem;

namespace {

// Each scenario runs a shell command in the run folder, with $F the file and
// ../bytes the bytes. Only the word list's failures end with status 1.
struct Scenario {
    Scenario(std::string name, std::string file, std::string command, std::string bytes = "",
             int status = 0)
        : name(name), file(file), command(command), bytes(bytes), status(status) {}
    std::string name, file, command, bytes;
    int status;
};
const std::string Write = "rm $F && cp ../bytes $F", NoTable = "rm $F glyphtumble.hi";

std::string Table(const std::string& name, int step) {
    std::string bytes;
    for (int i = 0; i < 10; ++i)
        bytes += step == 0 ? Record(name, 0, 0, 0)
                           : Record(name + std::to_string(i), step * (i + 1), i, i % 3);
    return bytes;
}
const std::string GoodTable = Table("Keeper ", 100);

std::string Garbage(size_t size, unsigned seed) { // pseudo-random bytes
    std::string bytes;
    while (bytes.size() < size)
        bytes += static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
    return bytes;
}

struct Run {
    const Scenario& s;
    TempDir base;
    std::string run = MakeRunFolder(base.Path()), hi = run + "/glyphtumble.hi", table;
    std::set<std::string> listing;
    bool hadTable = false;
    std::unique_ptr<GameProcess> game;
    std::string window;

    Run(const Scenario& scenario, const std::string& user) : s(scenario) {
        std::ofstream(hi, std::ios::binary) << GoodTable;
        std::ofstream(base.File("bytes"), std::ios::binary) << s.bytes;
        bool ok = false;
        Shell("cd '" + run + "' && F=" + s.file + " && " + s.command, &ok);
        EXPECT_TRUE(ok && fs::remove(base.File("bytes"))) << s.command;
        listing = Listing(run);
        hadTable = fs::is_regular_file(hi);
        table = hadTable ? TempDir::Read(hi) : "";
        game = std::make_unique<GameProcess>(
            GLYPHTUMBLE_BINARY,
            std::vector<std::string>{"-w", "320", "-h", "240", "-geometry", "+0+0"}, run,
            std::vector<std::string>{}, user);
    }

    void Check() {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(game->Wait(15), s.status) << game->Output();
        fs::permissions(run, fs::perms::owner_all, fs::perm_options::add); // to remove it
        const std::string after = fs::is_regular_file(hi) ? TempDir::Read(hi) : "gone";
        EXPECT_TRUE(!hadTable || after == table) << "the high-score file changed";
        // Ending from main, the game saves the table it had to create.
        EXPECT_TRUE(s.command != NoTable || after == Table("Nobody", 0)) << "no new table";
        if (!hadTable && fs::exists(hi)) // it was missing: the game may make it
            listing.insert("glyphtumble.hi");
        EXPECT_EQ(Listing(run), listing) << "files came or went in the run folder";
        for (const std::string& name : Listing(base.Path())) // beside it only captured output
            EXPECT_TRUE(name == "run" || name.rfind("run.game", 0) == 0) << "stray " << name;
    }
};

// Runs the scenarios six at a time, as user when one is named.
void RunAll(const std::vector<Scenario>& scenarios, const std::string& user = "") {
    for (size_t first = 0; first < scenarios.size(); first += 6) {
        std::vector<std::unique_ptr<Run>> batch;
        for (size_t i = first; i < std::min(scenarios.size(), first + 6); ++i)
            batch.push_back(std::make_unique<Run>(scenarios[i], user));
        for (auto& r : batch)
            if (r->s.status == 0)
                r->window = r->game->Window(20);
        // Begin Game, play a moment, give up, leave game over and the Hall of
        // Fame, Escape from the menu. Those that should fail get the same time.
        auto everyWindow = [&](const std::string& keys, double pause) {
            for (auto& r : batch)
                if (!r->window.empty() && r->game->Running())
                    Xdo("key --window " + r->window + " --delay 20 " + keys);
            Pause(pause);
        };
        Pause(0.5);
        everyWindow("Return", 1.0);
        for (auto& r : batch)
            EXPECT_TRUE(r->s.status != 0 || (r->game->Running() && !r->window.empty()))
                << r->s.name << ": no window, or ended early\n"
                << r->game->Output();
        for (const double pause : {0.3, 0.5, 0.3, 0.0})
            everyWindow("Escape", pause);
        for (auto& r : batch)
            r->Check();
    }
}

TEST(BadFilesTest, WordList) {
    const std::string words = TempDir::Read(std::string(GLYPHTUMBLE_DATA_DIR) + "/dictionary.txt");
    // The last word first: the list is out of order.
    const size_t last = words.rfind('\n', words.size() - 2) + 1;
    std::string unsorted = words.substr(last) + words.substr(0, last), crlf;
    for (const char c : words.substr(0, 200000))
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::string d = "dictionary.txt";
    RunAll({{"missing", d, "rm $F", "", 1},
            {"empty", d, Write, "", 1},
            {"missing, and no high-score file", d, NoTable, "", 1},
            {"one line without a newline", d, Write, "ZEBRA", 1},
            {"a directory", d, "rm $F && mkdir $F", "", 1},
            {"a named pipe", d, "rm $F && mkfifo $F", "", 1},
            {"an endless device", d, "ln -sfn /dev/zero $F", "", 1},
            {"binary garbage", d, Write, Garbage(1 << 16, 1) + "\n"},
            {"one line of a megabyte", d, Write, std::string(1 << 20, 'Q') + "\n"},
            {"unsorted", d, Write, unsorted},
            {"CR LF line ends", d, Write, crlf}});
}

TEST(BadFilesTest, HighScoreFile) {
    std::string foreign; // names without a NUL, negative scores, skills of 7
    for (int i = 0; i < 10; ++i)
        foreign += std::string(32, static_cast<char>('A' + i)) +
                   Record("", -1000000 * (10 - i), -i, 7).substr(32);
    const std::string h = "glyphtumble.hi";
    RunAll({{"missing", h, "rm $F"},
            {"0 bytes", h, Write, ""},
            {"439 bytes", h, Write, GoodTable.substr(0, 439)},
            {"441 bytes", h, Write, GoodTable + "x"},
            {"440 bytes of names without NUL, negative scores, skill 7", h, Write, foreign},
            {"440 bytes of random garbage", h, Write, Garbage(440, 2)},
            {"a directory", h, "rm $F && mkdir $F"},
            {"a named pipe", h, "rm $F && mkfifo $F"}});
}

TEST(BadFilesTest, Images) {
    std::vector<Scenario> scenarios;
    for (const std::string f : {"font.pgm", "tile.ppm", "water.ppm", "coarse.ppm"}) {
        const std::string good = TempDir::Read(std::string(GLYPHTUMBLE_DATA_DIR) + "/" + f);
        const std::string magic = f == "font.pgm" ? "P5" : "P6";
        scenarios.insert(
            scenarios.end(),
            {{f + " missing", f, "rm $F"},
             {f + " empty", f, Write, ""},
             {f + " wrong magic", f, Write, "P7" + good.substr(2)},
             {f + " 16-bit", f, Write, magic + "\n256 256\n65535\n" + std::string(1000, '\x7f')},
             {f + " truncated", f, Write, good.substr(0, good.size() / 2)},
             {f + " a named pipe", f, "rm $F && mkfifo $F"},
             {f + " an endless device", f, "ln -sfn /dev/zero $F"},
             {f + " absurd size", f, Write, magic + "\n2000000000 2000000000\n255\n" + good}});
    }
    RunAll(scenarios);
}

// Permissions bind only for a user other than root: as root the game runs as "nobody".
TEST(BadFilesTest, ReadOnlyTableAndFolder) {
    const bool root = geteuid() == 0;
    if (root && getpwnam("nobody") == nullptr)
        GTEST_SKIP() << "running as root without a \"nobody\" account";
    RunAll(
        {{"read-only high-score file (kept in memory, never rewritten)", "glyphtumble.hi",
          "chmod 444 $F"},
         {"read-only folder without a high-score file", "glyphtumble.hi", "rm $F && chmod 555 ."}},
        root ? "nobody" : "");
}

} // namespace

// The real game on bad files in its folder, six games at once. Without a
// usable word list it ends with status 1; otherwise it plays and ends with
// status 0 on Escape. A high-score file stays byte for byte, and no file comes
// or goes but a missing table.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <pwd.h>
#include <unistd.h>

#include "tests/support/GameProcess.h"

namespace fs = std::filesystem;

namespace {

// A shell command run in the run folder breaks file $F, with ../bytes the
// row's bytes. err: what the one line on standard error must hold besides $F.
struct Row {
    std::string name, file, command, bytes = "";
    int status = 0;
    std::string err = "";
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

std::string Garbage(size_t size, unsigned seed) {
    std::string bytes;
    while (bytes.size() < size)
        bytes += static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
    return bytes;
}

struct Run {
    const Row& row;
    TempDir base;
    std::string run = MakeRunFolder(base), hi = run + "/glyphtumble.hi", table;
    std::set<std::string> listing;
    std::unique_ptr<GameProcess> game;

    Run(const Row& r, const std::string& user) : row(r) {
        base.Write("run/glyphtumble.hi", GoodTable);
        base.Write("bytes", row.bytes);
        bool ok = false;
        Shell("cd '" + run + "' && F=" + row.file + " && " + row.command + " && rm ../bytes", &ok);
        EXPECT_TRUE(ok) << row.command;
        listing = Listing(run);
        table = fs::is_regular_file(hi) ? TempDir::Read(hi) : "";
        game = std::make_unique<GameProcess>(
            run, std::vector<std::string>{"-w", "320", "-h", "240", "-geometry", "+0+0"},
            std::vector<std::string>{}, user);
    }

    void Check() {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(game->Wait(15), row.status) << game->Err();
        const std::string err = game->Err();
        EXPECT_TRUE(row.err.empty() || (err.find(row.file) != std::string::npos &&
                                        err.find(row.err) != std::string::npos &&
                                        err.find('\n') == err.size() - 1))
            << err;
        fs::permissions(run, fs::perms::owner_all, fs::perm_options::add); // to remove it
        const std::string after = fs::is_regular_file(hi) ? TempDir::Read(hi) : "gone";
        EXPECT_TRUE(table.empty() || after == table) << "the high-score file changed";
        // Ending from main, the game saves the table it had to create.
        EXPECT_TRUE(row.command != NoTable || after == Table("Nobody", 0)) << "no new table";
        if (table.empty() && fs::exists(hi))
            listing.insert("glyphtumble.hi");
        EXPECT_EQ(Listing(run), listing) << "files came or went in the run folder";
    }
};

// Six at a time: Begin Game, play a moment, give up, leave game over and the
// Hall of Fame, Escape from the menu. Those that should fail get the same time.
void RunAll(const std::vector<Row>& rows, const std::string& user = "") {
    for (size_t first = 0; first < rows.size(); first += 6) {
        std::vector<std::unique_ptr<Run>> batch;
        for (size_t i = first; i < std::min(rows.size(), first + 6); ++i)
            batch.push_back(std::make_unique<Run>(rows[i], user));
        for (auto& r : batch)
            EXPECT_TRUE(r->row.status != 0 || r->game->Window(20) != "")
                << r->row.name << "\n" << r->game->Err();
        auto keys = [&](const std::string& key, double pause) {
            for (auto& r : batch)
                if (r->row.status == 0 && r->game->Running())
                    r->game->Keys(key);
            Pause(pause);
        };
        Pause(0.5);
        keys("Return", 1.0);
        for (auto& r : batch)
            EXPECT_TRUE(r->row.status != 0 || r->game->Running())
                << r->row.name << ": ended early\n" << r->game->Err();
        for (const double pause : {0.3, 0.5, 0.3, 0.0})
            keys("Escape", pause);
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
    std::vector<Row> rows;
    for (const std::string f : {"font.pgm", "tile.ppm", "water.ppm", "coarse.ppm"}) {
        const std::string good = TempDir::Read(std::string(GLYPHTUMBLE_DATA_DIR) + "/" + f);
        const std::string magic = f == "font.pgm" ? "P5" : "P6";
        rows.insert(
            rows.end(),
            {{f + " missing", f, "rm $F"},
             {f + " empty", f, Write, ""},
             {f + " wrong magic", f, Write, "P7" + good.substr(2)},
             {f + " 16-bit", f, Write, magic + "\n256 256\n65535\n" + std::string(1000, '\x7f')},
             {f + " truncated", f, Write, good.substr(0, good.size() / 2)},
             {f + " a named pipe", f, "rm $F && mkfifo $F"},
             {f + " an endless device", f, "ln -sfn /dev/zero $F"},
             {f + " absurd size", f, Write, magic + "\n2000000000 2000000000\n255\n" + good}});
    }
    RunAll(rows);
}

// Permissions bind only for a user other than root: as root the game runs as "nobody".
TEST(BadFilesTest, ReadOnlyTableAndFolder) {
    const bool root = geteuid() == 0;
    if (root && getpwnam("nobody") == nullptr)
        GTEST_SKIP() << "running as root without a \"nobody\" account";
    RunAll({{"read-only high-score file (kept in memory, never rewritten)", "glyphtumble.hi",
             "chmod 444 $F"},
            {"read-only folder without a high-score file", "glyphtumble.hi",
             "rm $F && chmod 555 ."}},
           root ? "nobody" : "");
}

} // namespace

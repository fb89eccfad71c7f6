// The real game on bad files in its folder, six games at once. Only a word
// list it can't use ends it, with status 1; otherwise it plays and ends with
// status 0 on Escape. A high-score file stays byte for byte, and no other file
// comes or goes.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <unistd.h>

#include "tests/support/GameProcess.h"

namespace {

// A shell command run in the game's folder breaks the file $F; without one
// the file gets the bytes. err: what the one line on standard error holds
// besides the file's name.
struct Row {
    std::string name, file, command, bytes = "";
    int status = 0;
    std::string err = "";
};
const std::string NoTable = "rm $F glyphtumble.hi";

std::string Table(int step) { // step 0: ten "Nobody" entries
    std::string bytes;
    for (int i = 0; i < 10; ++i)
        bytes += Record(step ? "Keeper " + std::to_string(i) : "Nobody", step * (i + 1),
                        step ? i : 0, step ? i % 3 : 0);
    return bytes;
}

std::string Garbage(size_t size, unsigned seed) {
    std::string bytes;
    while (bytes.size() < size)
        bytes += static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
    return bytes;
}

struct Run {
    Run(const Row& r, const std::string& user) : row(r) {
        base.Write("run/glyphtumble.hi", Table(100));
        if (row.command.empty())
            base.Write("run/" + row.file, row.bytes);
        else
            EXPECT_EQ(
                Shell("cd " + run + " && F=" + row.file + " && " + row.command + " && echo ok"),
                "ok\n");
        table = HighScores(), listing = Listing();
        game.emplace(run, std::vector<std::string>{"-w", "320", "-h", "240", "-geometry", "+0+0"},
                     std::vector<std::string>{}, user);
    }
    std::string HighScores() const { // "none" when not a file
        return Shell("cd " + run + " && [ -f glyphtumble.hi ] && cat glyphtumble.hi || echo none");
    }
    std::string Listing() const { return Shell("ls -A -I glyphtumble.hi " + run); }

    void Check() {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(game->Wait(15), row.status) << game->Err();
        const std::string err = game->Err();
        EXPECT_TRUE(row.err.empty() ||
                    (err.find(row.file) != std::string::npos &&
                     err.find(row.err) != std::string::npos && err.find('\n') == err.size() - 1))
            << err;
        Shell("chmod u+w " + run); // to remove it
        EXPECT_TRUE(table == "none\n" || HighScores() == table) << "the table changed";
        // Ending from main, the game saves the table it had to create.
        EXPECT_TRUE(row.command != NoTable || HighScores() == Table(0)) << "no new table";
        EXPECT_EQ(Listing(), listing) << "files came or went in the game's folder";
    }

    const Row& row;
    TempDir base;
    std::string run = MakeRunFolder(base), table, listing;
    std::optional<GameProcess> game;
};

// Those that play begin a game, give up, and leave game over, the Hall of
// Fame and the menu with Escape.
void RunAll(const std::vector<Row>& rows, const std::string& user = "") {
    for (size_t first = 0; first < rows.size(); first += 6) {
        std::vector<std::unique_ptr<Run>> runs;
        for (size_t i = first; i < std::min(first + 6, rows.size()); ++i)
            runs.push_back(std::make_unique<Run>(rows[i], user));
        for (auto& r : runs)
            EXPECT_TRUE(r->row.status != 0 || r->game->Window(20) != "") << r->row.name;
        for (const std::string key : {"", "Return", "Escape", "Escape", "Escape", "Escape"}) {
            for (auto& r : runs)
                r->game->Keys(key);
            Pause(key == "Return" ? 1.0 : 0.4);
        }
        for (auto& r : runs)
            r->Check();
    }
}

TEST(BadFilesTest, WordList) {
    const std::string words = TempDir::Read(std::string(GLYPHTUMBLE_DATA_DIR) + "/dictionary.txt");
    const size_t last = words.rfind('\n', words.size() - 2) + 1; // the last word first
    std::string unsorted = words.substr(last) + words.substr(0, last), crlf;
    for (const char c : words.substr(0, 200000))
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::string d = "dictionary.txt";
    RunAll({{"missing", d, "rm $F", "", 1},
            {"empty", d, "", "", 1},
            {"missing, and no high-score file", d, NoTable, "", 1},
            {"one line without a newline", d, "", "ZEBRA", 1},
            {"a directory", d, "rm $F && mkdir $F", "", 1},
            {"a named pipe", d, "rm $F && mkfifo $F", "", 1},
            {"an endless device", d, "ln -sfn /dev/zero $F", "", 1},
            {"one byte over 64 MiB, sparse", d, "truncate -s 67108865 $F", "", 1, "67108865"},
            {"binary garbage", d, "", Garbage(1 << 16, 1) + "\n"},
            {"one line of a megabyte", d, "", std::string(1 << 20, 'Q') + "\n"},
            {"unsorted", d, "", unsorted},
            {"CR LF line ends", d, "", crlf}});
}

TEST(BadFilesTest, HighScoreFile) {
    std::string foreign; // names without a NUL, negative scores, skills of 7
    for (int i = 0; i < 10; ++i)
        foreign += std::string(32, static_cast<char>('A' + i)) +
                   Record("", -1000000 * (10 - i), -i, 7).substr(32);
    const std::string h = "glyphtumble.hi";
    RunAll({{"missing", h, "rm $F"},
            {"0 bytes", h, "", ""},
            {"439 bytes", h, "", Table(100).substr(0, 439)},
            {"441 bytes", h, "", Table(100) + "x"},
            {"440 bytes of names without NUL, negative scores, skill 7", h, "", foreign},
            {"440 bytes of random garbage", h, "", Garbage(440, 2)},
            {"a directory", h, "rm $F && mkdir $F"},
            {"a named pipe", h, "rm $F && mkfifo $F"}});
}

TEST(BadFilesTest, Images) {
    std::vector<Row> rows;
    for (const std::string f : {"font.pgm", "tile.ppm", "water.ppm", "coarse.ppm"}) {
        const std::string good = TempDir::Read(std::string(GLYPHTUMBLE_DATA_DIR) + "/" + f);
        const std::string magic = f == "font.pgm" ? "P5\n" : "P6\n";
        rows.insert(rows.end(),
                    {{f + " missing", f, "rm $F"},
                     {f + " empty", f, "", ""},
                     {f + " wrong magic", f, "", "P7" + good.substr(2)},
                     {f + " 16-bit", f, "", magic + "256 256\n65535\n" + std::string(999, 'x')},
                     {f + " truncated", f, "", good.substr(0, good.size() / 2)},
                     {f + " a named pipe", f, "rm $F && mkfifo $F"},
                     {f + " an endless device", f, "ln -sfn /dev/zero $F"},
                     {f + " absurd size", f, "", magic + "2000000000 2000000000\n255\n" + good}});
    }
    RunAll(rows);
}

// Permissions bind only for a user other than root: as root the game runs as "nobody".
TEST(BadFilesTest, ReadOnlyTableAndFolder) {
    RunAll(
        {{"read-only high-score file, kept in memory", "glyphtumble.hi", "chmod 444 $F"},
         {"read-only folder without a high-score file", "glyphtumble.hi", "rm $F && chmod 555 ."}},
        geteuid() == 0 ? "nobody" : "");
}

} // namespace

// The real game on bad files in its folder, six games at once. Only a word
// list it can't use ends it, with status 1; otherwise it plays and ends with
// status 0 on Escape. A high-score file stays byte for byte, and no other file
// comes or goes.

#include <gtest/gtest.h>

#include <memory>
#include <unistd.h>

#include "tests/support/GameProcess.h"

namespace {

// A shell command run in the game's folder breaks the file $F. err: all the
// game prints on standard error, where it matters.
struct Row {
    std::string name, file, command;
    int status = 0;
    std::string err = "";
};
const std::string NoTable = "rm $F glyphtumble.hi";

struct Run {
    Run(const Row& r, const std::string& u) : row(r), user(u) {}
    std::string Break() { // the table once the row has broken its file
        base.Write("run/glyphtumble.hi", Table(100));
        EXPECT_EQ(Shell("cd " + run + " && F=" + row.file + " && " + row.command + " && echo ok"),
                  "ok\n");
        return HighScores();
    }
    std::string HighScores() const { // "none" when not a file
        return Shell("cd " + run + " && [ -f glyphtumble.hi ] && cat glyphtumble.hi || echo none");
    }
    std::string Listing() const { return Shell("ls -A -I glyphtumble.hi " + run); }

    void Check() {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(game.Wait(15), row.status) << game.Err();
        EXPECT_TRUE(row.err.empty() || game.Err() == row.err) << game.Err();
        Shell("chmod u+w " + run); // to remove it
        EXPECT_TRUE(table == "none\n" || HighScores() == table) << "the table changed";
        // Ending from main, the game saves the table it had to create.
        EXPECT_TRUE(row.command != NoTable || HighScores() == Table(0)) << "no new table";
        EXPECT_EQ(Listing(), listing) << "files came or went in the game's folder";
    }

    const Row& row;
    const std::string user;
    TempDir base;
    std::string run = MakeRunFolder(base), table = Break(), listing = Listing();
    GameProcess game{run, {"-w", "320", "-h", "240", "-geometry", "+0+0"}, {}, user};
};

// Those that play begin a game, give up, and leave game over, the Hall of
// Fame and the menu with Escape.
void RunAll(const std::vector<Row>& rows, const std::string& user = "") {
    for (size_t first = 0; first < rows.size(); first += 6) {
        std::vector<std::unique_ptr<Run>> runs;
        for (size_t i = first; i < std::min(first + 6, rows.size()); ++i)
            runs.push_back(std::make_unique<Run>(rows[i], user));
        for (auto& r : runs)
            EXPECT_TRUE(r->row.status != 0 || r->game.Window(20) != "") << r->row.name;
        for (const std::string key : {"", "Return", "Escape", "Escape", "Escape", "Escape"}) {
            for (auto& r : runs)
                r->game.Keys(key);
            Pause(key == "Return" ? 1.0 : 0.4);
        }
        for (auto& r : runs)
            r->Check();
    }
}

TEST(BadFilesTest, WordList) {
    const std::string d = "dictionary.txt";
    RunAll({{"empty", d, ">$F", 1},
            {"missing, and no high-score file", d, NoTable, 1},
            {"a named pipe", d, "rm $F && mkfifo $F", 1},
            {"an endless device", d, "ln -sfn /dev/zero $F", 1},
            {"one byte over 16 MiB, sparse", d, "truncate -s 16777217 $F", 1,
             "Dictionary::Load(): dictionary.txt is 16777217 bytes, more than a word list "
             "may hold\n"},
            {"binary garbage", d, "cp font.pgm $F && echo >>$F"}});
}

TEST(BadFilesTest, HighScoreFile) {
    const std::string h = "glyphtumble.hi";
    RunAll({{"0 bytes", h, ">$F"},
            {"440 bytes of 0xff: no NUL in a name, negative numbers", h,
             "head -c 440 /dev/zero | tr '\\0' '\\377' >$F"},
            {"440 bytes of an image", h, "tail -c 440 tile.ppm >$F"},
            {"a named pipe", h, "rm $F && mkfifo $F"}});
}

// Every image is read through the same loader: one pipe and one device do.
TEST(BadFilesTest, Images) {
    std::vector<Row> rows = {{"font.pgm a named pipe", "font.pgm", "rm $F && mkfifo $F"},
                             {"tile.ppm an endless device", "tile.ppm", "ln -sfn /dev/zero $F"}};
    for (const std::string f : {"font.pgm", "tile.ppm", "water.ppm", "coarse.ppm"})
        rows.push_back({f + " missing", f, "rm $F"});
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

#include "data/HighScoreTable.h"

#include <gtest/gtest.h>

#include "tests/support/HighScoreRecord.h"
#include "tests/support/TempDir.h"

static bool cutFails = false; // ftruncate fails, as on a file system that can't
#ifdef _WIN32
constexpr bool canFailCut = false;
#else
#include <fcntl.h>
#include <future>
#include <sys/file.h>
#include <sys/syscall.h>
#include <unistd.h>

constexpr bool canFailCut = true;
extern "C" int ftruncate(int fd, off_t size) noexcept {
    return cutFails ? (errno = EIO, -1) : static_cast<int>(syscall(SYS_ftruncate, fd, size));
}
#endif

static std::string Names(const HighScoreTable& table, bool scores = false) {
    std::string names;
    for (const HighScoreEntry& e : table.entries)
        names += std::string(e.name) + (scores ? ":" + std::to_string(e.score) : "") + " ";
    return names;
}

// A foreign table: a negative score, a skill of 7, padding that is not zero,
// a name with no NUL in its 30 bytes. It reads as written and saves unchanged.
TEST(HighScoreTableTest, Open_ReadsA440ByteFileAndSaveWritesTheSameBytes) {
    TempDir dir;
    const std::string file = Record("Negative", -5, 7, 7).replace(30, 1, "x") +
                             Table(10).substr(44).replace(0, 30, 30, 'N');
    const std::string path = dir.Write("glyphtumble.hi", file);
    HighScoreTable table;
    ASSERT_TRUE(table.Open(path.c_str()));
    EXPECT_EQ(Names(table, true).substr(0, 12), "Negative:-5 ");
    ASSERT_TRUE(table.Save());
    EXPECT_EQ(TempDir::Read(path), file);
}

TEST(HighScoreTableTest, OpenAndSave_FailWithoutAFileTheTableStaysEmpty) {
    TempDir dir; // a file that can be neither opened nor created fails
    HighScoreTable table;
    EXPECT_FALSE(table.Open(dir.Path().c_str()) || // a folder of that name
                 table.Open(dir.File("no/such/folder.hi").c_str()) || table.Save());
    EXPECT_TRUE(table.entries[9].name[0] == '\0' && table.Qualifies(1));
}

TEST(HighScoreTableTest, Insert_PlacesByScoreWithTiesAgainstTheNewcomer) {
    TempDir dir;
    HighScoreTable table;
    ASSERT_TRUE(table.Open(dir.Write("glyphtumble.hi", Table(10)).c_str()));
    EXPECT_FALSE(table.Qualifies(10) || table.Insert("LOW", 10, 1, 0));
    ASSERT_TRUE(table.Qualifies(11) && table.Insert("MID", 55, 3, 1) &&
                table.Insert("TIE", 50, 1, 2));
    EXPECT_EQ(Names(table, true), "P30:30 P40:40 TIE:50 P50:50 MID:55 P60:60 P70:70 P80:80 "
                                  "P90:90 P100:100 ");
    const std::string forty(40, 'Q');
    ASSERT_TRUE(table.Insert(forty.c_str(), 1000, 99, 2));
    EXPECT_EQ(std::string(table.entries[9].name), forty.substr(0, 29));
}

// Two games on one file, each having read it at its start: each save keeps the
// other's entries. Rows: a file a byte too long, which both take for none, so
// its old bytes must not come back from a stream's buffer; a table, whose
// first save reaches the file but fails to cut it to size.
TEST(HighScoreTableTest, Save_TwoGamesOnOneFileKeepEachOthersEntries) {
    const std::string nobody = "Nobody Nobody Nobody Nobody Nobody Nobody Nobody ";
    for (const auto& [start, failCut, names] :
         {std::tuple{Table(10) + "\n", false, nobody + "Ada Bob Ann "},
          {Table(10), canFailCut, "P40 Ada P50 P60 P70 Bob P80 P90 Ann P100 "}}) {
        TempDir dir;
        const std::string path = dir.Write("glyphtumble.hi", start);
        HighScoreTable a, b, again;
        ASSERT_TRUE(a.Open(path.c_str()) && b.Open(path.c_str()));
        ASSERT_TRUE(a.Insert("Ada", 45, 4, 0) && a.Insert("Ann", 95, 9, 2));
        ASSERT_TRUE(b.Insert("Bob", 75, 7, 1));
        cutFails = failCut;
        EXPECT_EQ(a.Save(), !failCut);
        cutFails = false;
        ASSERT_TRUE(b.Save());
        ASSERT_TRUE(a.Save()) << "the first game's last save keeps the second's entry";
        ASSERT_TRUE(again.Open(path.c_str()));
        EXPECT_EQ(Names(again), names);
        EXPECT_NE(TempDir::Read(path).find(Record("Bob", 75, 7, 1)), std::string::npos);
    }
}

#ifndef _WIN32 // flock from a second descriptor: Windows locks differ (mandatory)
// Another program holds the lock and writes the file while this game opens or
// saves: the game waits and takes what was written. A lock held for good costs a second.
TEST(HighScoreTableTest, OpenAndSave_WaitForTheLockButNotForever) {
    TempDir dir;
    const std::string path = dir.Write("glyphtumble.hi", Table(10).substr(0, 300));
    const int holder = open(path.c_str(), O_RDWR);
    HighScoreTable table;
    const auto save = [&] { return table.Save(); };
    // Runs action on a thread while holder has the lock, which writes the file
    // and lets go after some milliseconds: had action ended by then, and how?
    const auto whileLocked = [&](const std::function<bool()>& action, const std::string& write,
                                 int milliseconds) {
        EXPECT_EQ(flock(holder, LOCK_EX), 0);
        auto done = std::async(std::launch::async, action);
        const auto waited = done.wait_for(std::chrono::milliseconds(milliseconds));
        EXPECT_EQ(pwrite(holder, write.data(), write.size(), 0), ssize_t(write.size()));
        flock(holder, LOCK_UN);
        return std::make_pair(waited == std::future_status::ready, done.get());
    };
    ASSERT_EQ(whileLocked([&] { return table.Open(path.c_str()); }, Table(10), 200),
              std::make_pair(false, true));
    EXPECT_EQ(Names(table), "P10 P20 P30 P40 P50 P60 P70 P80 P90 P100 ") << "read half written";
    const std::string withBob = Table(10).replace(9 * 44, 44, Record("Bob", 150));
    ASSERT_TRUE(table.Insert("Ada", 45, 4, 0));
    ASSERT_EQ(whileLocked(save, withBob, 200), std::make_pair(false, true));
    EXPECT_EQ(Names(table), "P20 P30 P40 Ada P50 P60 P70 P80 P90 Bob ") << "saved unmerged";

    ASSERT_TRUE(table.Insert("Cy", 99, 1, 0));
    testing::internal::CaptureStderr();
    EXPECT_EQ(whileLocked(save, "", 3000), std::make_pair(true, true)) << "waited to the end";
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "HighScoreTable::Save(): the table was saved without the lock\n");
    EXPECT_EQ(TempDir::Read(path).substr(8 * 44, 3), std::string("Cy", 3));
    close(holder);
}
#endif

// The real game binary started on every kind of bad file it may find in its
// folder: word lists, high-score files and images that are missing, empty,
// cut short, garbage or absurd. Without a word it must end with status 1;
// otherwise it must start, survive the title menu, a short game, the game-over
// screen and the Hall of Fame, and end with status 0 on Escape. An existing
// high-score file must come out byte for byte as it went in (nobody enters a
// name here), and nothing may appear outside the run folder.
//
// Several games run at once, each in its own folder and window; keys go to
// each window by id, so they don't disturb one another or other tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <pwd.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "tests/support/GameProcess.h"
#include "tests/support/TempDir.h"
#include "tests/support/Xdo.h"

namespace fs = std::filesystem;

namespace {

const char* const DataFiles[] = {"dictionary.txt", "font.pgm", "tile.ppm", "water.ppm",
                                 "coarse.ppm"};
constexpr int Parallel = 6;

std::string Record(const std::string& name, std::int32_t score, std::int32_t words,
                   std::int32_t skill) {
    std::string bytes = name;
    bytes.resize(32, '\0');
    for (const std::int32_t v : {score, words, skill})
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<char>(static_cast<std::uint32_t>(v) >> shift));
    return bytes;
}

std::string GoodTable() {
    std::string bytes;
    for (int i = 0; i < 10; ++i)
        bytes += Record("Keeper " + std::to_string(i), 100 * (i + 1), i, i % 3);
    return bytes;
}

std::string NobodyTable() {
    std::string bytes;
    for (int i = 0; i < 10; ++i)
        bytes += Record("Nobody", 0, 0, 0);
    return bytes;
}

std::string Garbage(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

std::string DataFile(const std::string& name) {
    return TempDir::Read(std::string(GLYPHTUMBLE_DATA_DIR) + "/" + name);
}

void Write(const std::string& path, const std::string& bytes) {
    fs::remove(path);
    std::ofstream(path, std::ios::binary) << bytes;
}

// Makes path a symbolic link to target.
void Replace(const std::string& path, const std::string& target) {
    fs::remove(path);
    fs::create_symlink(target, path);
}

// The names in a folder, sorted.
std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct Scenario {
    Scenario(std::string name, std::function<void(const std::string&)> setup, int status = 0,
             bool createsTable = false, std::string tableAfter = "")
        : name(std::move(name)), setup(std::move(setup)), status(status),
          createsTable(createsTable), tableAfter(std::move(tableAfter)) {}

    std::string name;
    // Changes the run folder, which starts with links to the good data files
    // and a good high-score file.
    std::function<void(const std::string& run)> setup;
    int status;             // 0: plays and ends on Escape; 1: ends at once
    bool createsTable;      // the high-score file may appear (it was missing)
    std::string tableAfter; // when not empty: what the high-score file must hold
};

// One scenario's run.
struct Run {
    const Scenario* scenario;
    TempDir base;
    std::string run;
    std::vector<std::string> listing;
    bool hadTable = false;
    std::string table;
    std::unique_ptr<GameProcess> game;
    std::string window;
};

void Prepare(Run& r) {
    r.run = r.base.Path() + "/run";
    fs::create_directory(r.run);
    for (const char* file : DataFiles)
        fs::create_symlink(std::string(GLYPHTUMBLE_DATA_DIR) + "/" + file, r.run + "/" + file);
    Write(r.run + "/glyphtumble.hi", GoodTable());
    r.scenario->setup(r.run);
    r.listing = Listing(r.run);
    const std::string hi = r.run + "/glyphtumble.hi";
    r.hadTable = fs::is_regular_file(hi);
    if (r.hadTable)
        r.table = TempDir::Read(hi);
}

void Check(Run& r, int status) {
    SCOPED_TRACE(r.scenario->name);
    EXPECT_EQ(status, r.scenario->status) << r.game->Err() << r.game->Out();
    const std::string hi = r.run + "/glyphtumble.hi";
    if (r.hadTable) {
        EXPECT_TRUE(fs::is_regular_file(hi));
        EXPECT_EQ(TempDir::Read(hi), r.table) << "the high-score file changed";
    }
    if (!r.scenario->tableAfter.empty()) {
        EXPECT_EQ(TempDir::Read(hi), r.scenario->tableAfter);
    }
    std::vector<std::string> expected = r.listing;
    if (r.scenario->createsTable && !r.hadTable && fs::exists(hi)) {
        expected.push_back("glyphtumble.hi");
        std::sort(expected.begin(), expected.end());
    }
    EXPECT_EQ(Listing(r.run), expected) << "files came or went in the run folder";
    // Beside the run folder only the captured output of the game.
    for (const std::string& name : Listing(r.base.Path()))
        EXPECT_TRUE(name == "run" || name.rfind("run.game", 0) == 0) << "stray file " << name;
}

// Keys to one window, sent to it directly so that no other window's keyboard
// focus is disturbed.
void SendKeys(const std::string& window, const std::string& keys) {
    Xdo("key --window " + window + " --delay 20 " + keys);
}

// Runs the scenarios, as user when one is named.
void RunAll(const std::vector<Scenario>& scenarios, const std::string& user = "") {
    for (size_t first = 0; first < scenarios.size(); first += Parallel) {
        std::vector<std::unique_ptr<Run>> batch;
        for (size_t i = first; i < std::min(scenarios.size(), first + Parallel); ++i) {
            auto r = std::make_unique<Run>();
            r->scenario = &scenarios[i];
            Prepare(*r);
            r->game = std::make_unique<GameProcess>(
                GLYPHTUMBLE_BINARY,
                std::vector<std::string>{"-w", "320", "-h", "240", "-geometry", "+0+0"}, r->run,
                std::vector<std::string>{}, user);
            batch.push_back(std::move(r));
        }
        for (auto& r : batch)
            if (r->scenario->status == 0)
                r->window = r->game->Window(20);

        // Each game that should run: Begin Game, let it play a moment, give
        // up, leave the game-over screen, look at the Hall of Fame, back to
        // the menu. Those that should fail get the same time to do so.
        auto everyWindow = [&](const std::string& keys) {
            for (auto& r : batch)
                if (!r->window.empty() && r->game->Running())
                    SendKeys(r->window, keys);
        };
        Pause(0.5);
        everyWindow("Return");
        Pause(1.0);
        for (auto& r : batch) {
            SCOPED_TRACE(r->scenario->name);
            if (r->scenario->status == 0) {
                EXPECT_FALSE(r->window.empty()) << "no window";
                EXPECT_TRUE(r->game->Running()) << "ended early\n" << r->game->Err();
            }
        }
        everyWindow("Escape");
        Pause(0.3);
        everyWindow("Escape");
        Pause(0.5);
        everyWindow("Escape");
        Pause(0.3);
        everyWindow("Escape");
        for (auto& r : batch) {
            Check(*r, r->game->Wait(15));
            // A folder made read-only must still be removable.
            fs::permissions(r->run, fs::perms::owner_all, fs::perm_options::add);
        }
    }
}

TEST(BadFilesTest, WordList) {
    const std::string words = DataFile("dictionary.txt");
    std::string reversed;
    for (size_t end = words.size(); end > 0;) {
        const size_t start = words.rfind('\n', end - 2);
        const size_t from = start == std::string::npos ? 0 : start + 1;
        reversed += words.substr(from, end - from);
        end = from;
    }
    std::string crlf;
    for (const char c : words.substr(0, 200000))
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::string garbage = Garbage(1 << 16, 1);
    garbage.back() = '\n';

    const std::vector<Scenario> scenarios = {
        {"missing", [](const std::string& run) { fs::remove(run + "/dictionary.txt"); }, 1},
        {"empty", [](const std::string& run) { Write(run + "/dictionary.txt", ""); }, 1},
        // Ending from main, the game saves its table: ten "Nobody" entries
        // in the file it had to create.
        {"missing, and no high-score file",
         [](const std::string& run) {
             fs::remove(run + "/dictionary.txt");
             fs::remove(run + "/glyphtumble.hi");
         },
         1, true, NobodyTable()},
        {"one line without a newline",
         [](const std::string& run) { Write(run + "/dictionary.txt", "ZEBRA"); }, 1},
        {"a directory",
         [](const std::string& run) {
             fs::remove(run + "/dictionary.txt");
             fs::create_directory(run + "/dictionary.txt");
         },
         1},
        {"a named pipe",
         [](const std::string& run) {
             fs::remove(run + "/dictionary.txt");
             mkfifo((run + "/dictionary.txt").c_str(), 0644);
         },
         1},
        {"an endless device",
         [](const std::string& run) { Replace(run + "/dictionary.txt", "/dev/zero"); }, 1},
        {"binary garbage",
         [&](const std::string& run) { Write(run + "/dictionary.txt", garbage); }},
        {"one line of a megabyte",
         [](const std::string& run) {
             Write(run + "/dictionary.txt", std::string(1 << 20, 'Q') + "\n");
         }},
        {"unsorted", [&](const std::string& run) { Write(run + "/dictionary.txt", reversed); }},
        {"CR LF line ends", [&](const std::string& run) { Write(run + "/dictionary.txt", crlf); }},
    };
    RunAll(scenarios);
}

TEST(BadFilesTest, HighScoreFile) {
    // Names without a NUL, negative scores, skills of 7.
    std::string foreign;
    for (int i = 0; i < 10; ++i) {
        std::string record = Record("", -1000000 * (10 - i), -i, 7);
        std::fill(record.begin(), record.begin() + 32, static_cast<char>('A' + i));
        foreign += record;
    }
    const std::string garbage = Garbage(440, 2);
    auto table = [](const std::string& bytes) {
        return [bytes](const std::string& run) { Write(run + "/glyphtumble.hi", bytes); };
    };
    const std::vector<Scenario> scenarios = {
        {"missing", [](const std::string& run) { fs::remove(run + "/glyphtumble.hi"); }, 0, true},
        {"0 bytes", table("")},
        {"439 bytes", table(GoodTable().substr(0, 439))},
        {"441 bytes", table(GoodTable() + "x")},
        {"440 bytes of names without NUL, negative scores, skill 7", table(foreign)},
        {"440 bytes of random garbage", table(garbage)},
        {"a directory",
         [](const std::string& run) {
             fs::remove(run + "/glyphtumble.hi");
             fs::create_directory(run + "/glyphtumble.hi");
         }},
        {"a named pipe",
         [](const std::string& run) {
             fs::remove(run + "/glyphtumble.hi");
             mkfifo((run + "/glyphtumble.hi").c_str(), 0644);
         }},
    };
    RunAll(scenarios);
}

TEST(BadFilesTest, Images) {
    std::vector<Scenario> scenarios;
    for (const std::string image : {"font.pgm", "tile.ppm", "water.ppm", "coarse.ppm"}) {
        const std::string good = DataFile(image);
        const std::string magic = image == "font.pgm" ? "P5" : "P6";
        auto write = [image](const std::string& bytes) {
            return [image, bytes](const std::string& run) { Write(run + "/" + image, bytes); };
        };
        scenarios.push_back({image + " missing",
                             [image](const std::string& run) { fs::remove(run + "/" + image); }});
        scenarios.push_back({image + " empty", write("")});
        scenarios.push_back({image + " wrong magic", write("P7" + good.substr(2))});
        scenarios.push_back(
            {image + " 16-bit", write(magic + "\n256 256\n65535\n" + std::string(1000, '\x7f'))});
        scenarios.push_back({image + " truncated", write(good.substr(0, good.size() / 2))});
        scenarios.push_back({image + " a named pipe", [image](const std::string& run) {
                                 fs::remove(run + "/" + image);
                                 mkfifo((run + "/" + image).c_str(), 0644);
                             }});
        scenarios.push_back({image + " an endless device", [image](const std::string& run) {
                                 Replace(run + "/" + image, "/dev/zero");
                             }});
        scenarios.push_back(
            {image + " absurd size", write(magic + "\n2000000000 2000000000\n255\n" + good)});
    }
    RunAll(scenarios);
}

// Permissions bind only for a user other than root. Run as root (as in CI),
// the game runs as "nobody" for these; without that account the test is
// skipped.
std::string UnprivilegedUser() {
    if (geteuid() != 0)
        return "";
    return getpwnam("nobody") != nullptr ? "nobody" : "?";
}

TEST(BadFilesTest, ReadOnlyTableAndFolder) {
    const std::string user = UnprivilegedUser();
    if (user == "?")
        GTEST_SKIP() << "running as root without a \"nobody\" account: permissions don't bind";
    const std::vector<Scenario> scenarios = {
        // The table can't be opened for update: the game keeps it in memory
        // and must not truncate or rewrite the file.
        {"read-only high-score file",
         [](const std::string& run) { chmod((run + "/glyphtumble.hi").c_str(), 0444); }},
        // The table can't be created: the game runs without one.
        {"read-only folder without a high-score file",
         [](const std::string& run) {
             fs::remove(run + "/glyphtumble.hi");
             chmod(run.c_str(), 0555);
         }},
    };
    RunAll(scenarios, user);
}

} // namespace

// The installed game: the tree cmake --install lays down, the launcher that
// gives each player a folder of their own, the menu entry, icon and manual
// page, and the Debian package run from wherever it is unpacked.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tests/support/RunProgram.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const char* const DataFiles[] = {"dictionary.txt", "font.pgm", "tile.ppm", "water.ppm",
                                 "coarse.ppm"};

const std::set<std::string> InstalledFiles = {
    "usr/bin/glyphtumble",
    "usr/libexec/glyphtumble/glyphtumble",
    "usr/share/glyphtumble/dictionary.txt",
    "usr/share/glyphtumble/font.pgm",
    "usr/share/glyphtumble/tile.ppm",
    "usr/share/glyphtumble/water.ppm",
    "usr/share/glyphtumble/coarse.ppm",
    "usr/share/applications/glyphtumble.desktop",
    "usr/share/icons/hicolor/48x48/apps/glyphtumble.png",
    "usr/share/icons/hicolor/128x128/apps/glyphtumble.png",
    "usr/share/icons/hicolor/256x256/apps/glyphtumble.png",
    "usr/share/man/man6/glyphtumble.6.gz",
};

// Sets (or, with no value, removes) an environment variable for the object's
// life; the programs run meanwhile inherit it.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name(name) {
        if (const char* old = std::getenv(name))
            previous = old;
        Set(value);
    }
    ~ScopedEnv() { Set(previous); }

  private:
    void Set(const std::optional<std::string>& value) {
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    const char* name;
    std::optional<std::string> previous;
};

std::set<std::string> FilesUnder(const std::string& root) {
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (!entry.is_directory())
            files.insert(fs::relative(entry.path(), root).string());
    return files;
}

ProgramResult Shell(const std::string& command, const std::string& dir = ".") {
    return RunProgram("/bin/sh", {"-c", command}, dir, 120);
}

ProgramResult Install(const std::string& root) {
    ScopedEnv destdir("DESTDIR", root);
    return RunProgram(GLYPHTUMBLE_CMAKE, {"--install", GLYPHTUMBLE_BUILD_DIR, "--prefix", "/usr"},
                      root, 120);
}

// One launch in a fresh install under a temporary root, with a stand-in game
// that records where it ran and with what arguments.
class LauncherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(Install(root.Path()).status, 0);
        const std::string game = root.File("usr/libexec/glyphtumble/glyphtumble");
        root.Write("usr/libexec/glyphtumble/glyphtumble",
                   "#!/bin/sh\n{ pwd -P; for a in \"$@\"; do echo \"$a\"; done; } >game.log\n");
        fs::permissions(game, fs::perms::owner_all);
        fs::create_directory(home.File("home"));
        dataDir = fs::canonical(root.File("usr/share/glyphtumble")).string();
        runDir = home.File("home/.local/share/glyphtumble");
    }
    ProgramResult Launch(const std::vector<std::string>& args = {}) {
        return RunProgram(root.File("usr/bin/glyphtumble"), args, home.Path());
    }
    // A launch that refused to start: one line that says why, and no game.
    void ExpectRefused(const ProgramResult& r, const std::string& why) {
        EXPECT_NE(r.status, 0);
        EXPECT_EQ(r.err.rfind("glyphtumble: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(why), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_FALSE(fs::exists(runDir + "/game.log"));
    }
    void ExpectLinkedData(const std::string& dir) {
        for (const char* f : DataFiles) {
            ASSERT_TRUE(fs::is_symlink(dir + "/" + f)) << f;
            EXPECT_EQ(fs::read_symlink(dir + "/" + f).string(), dataDir + "/" + f);
        }
    }

    TempDir root, home;
    ScopedEnv homeVar{"HOME", home.File("home")};
    ScopedEnv xdgVar{"XDG_DATA_HOME", std::nullopt};
    std::string dataDir, runDir;
};

} // namespace

TEST(InstallTest, Install_PutsEveryFileInItsPlaceAndNothingElse) {
    TempDir root;
    const ProgramResult r = Install(root.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FilesUnder(root.Path()), InstalledFiles);
    for (const char* program : {"usr/bin/glyphtumble", "usr/libexec/glyphtumble/glyphtumble"})
        EXPECT_NE(fs::status(root.File(program)).permissions() & fs::perms::owner_exec,
                  fs::perms::none);
    for (const char* f : DataFiles)
        EXPECT_EQ(TempDir::Read(root.File("usr/share/glyphtumble/") + f),
                  TempDir::Read(std::string(GLYPHTUMBLE_DATA_DIR) + "/" + f))
            << f;
    // The launcher finds everything relative to itself, never in the build.
    const std::string launcher = TempDir::Read(root.File("usr/bin/glyphtumble"));
    EXPECT_EQ(launcher.find(GLYPHTUMBLE_BUILD_DIR), std::string::npos);
    EXPECT_EQ(launcher.find(GLYPHTUMBLE_SOURCE_DIR), std::string::npos);
}

TEST(InstallTest, MenuEntryIconsAndManualPage_PassTheirChecks) {
    const std::string src = GLYPHTUMBLE_SOURCE_DIR;
    const ProgramResult desktop =
        Shell("desktop-file-validate " + src + "/packaging/glyphtumble.desktop 2>&1");
    EXPECT_EQ(desktop.status, 0);
    EXPECT_EQ(desktop.out, "");
    const std::string entry = TempDir::Read(src + "/packaging/glyphtumble.desktop");
    for (const char* line :
         {"\nExec=glyphtumble\n", "\nIcon=glyphtumble\n", "\nCategories=Game;LogicGame;\n"})
        EXPECT_NE(entry.find(line), std::string::npos) << line;

    const ProgramResult warnings = Shell("MANWIDTH=80 man -l --warnings=w " + src +
                                         "/packaging/glyphtumble.6 2>&1 >/dev/null");
    EXPECT_EQ(warnings.out, "");
    // The compressed page that gets installed reads the same.
    const ProgramResult page = Shell("MANWIDTH=80 man -l " + std::string(GLYPHTUMBLE_BUILD_DIR) +
                                     "/packaging/glyphtumble.6.gz | col -b");
    for (const char* section :
         {"NAME", "SYNOPSIS", "OPTIONS", "KEYS", "RULES", "SCORING", "FILES", "EXIT STATUS"})
        EXPECT_NE(page.out.find(std::string("\n") + section + "\n"), std::string::npos) << section;

    // Each icon decodes to a square of its size: clear corners, an opaque
    // block, and a dark letter on it.
    for (const int size : {48, 128, 256}) {
        SCOPED_TRACE(size);
        const std::string n = std::to_string(size);
        const ProgramResult rgba =
            Shell("convert " + std::string(GLYPHTUMBLE_BUILD_DIR) + "/packaging/icons/" + n + "x" +
                  n + "/glyphtumble.png -depth 8 rgba:-");
        ASSERT_EQ(rgba.status, 0) << rgba.err;
        ASSERT_EQ(rgba.out.size(), size_t(size) * size * 4);
        auto at = [&](int x, int y, int channel) {
            return static_cast<unsigned char>(rgba.out[(size_t(y) * size + x) * 4 + channel]);
        };
        EXPECT_EQ(at(0, 0, 3), 0);
        EXPECT_EQ(at(size - 1, size - 1, 3), 0);
        EXPECT_EQ(at(size / 2, size / 8, 3), 255);
        int dark = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                dark += at(x, y, 3) == 255 && at(x, y, 0) < 100;
        EXPECT_GT(dark, size * size / 20);
    }
}

TEST_F(LauncherTest, FreshFolder_LinksTheDataAndRunsTheGameThereWithTheOptions) {
    ProgramResult r = Launch({"-w", "640", "-f"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    ExpectLinkedData(runDir);
    EXPECT_EQ(TempDir::Read(runDir + "/game.log"),
              fs::canonical(runDir).string() + "\n-w\n640\n-f\n");

    // XDG_DATA_HOME wins over HOME; a link to the launcher elsewhere (as in
    // /usr/games) still finds the installed tree.
    ScopedEnv xdg("XDG_DATA_HOME", home.File("xdg"));
    fs::create_symlink(root.File("usr/bin/glyphtumble"), home.File("linked"));
    r = RunProgram(home.File("linked"), {}, home.Path());
    EXPECT_EQ(r.status, 0) << r.err;
    ExpectLinkedData(home.File("xdg/glyphtumble"));
    EXPECT_TRUE(fs::exists(home.File("xdg/glyphtumble/game.log")));
}

TEST_F(LauncherTest, ExistingFolder_KeepsTheHallOfFameAndRenewsStaleLinks) {
    fs::create_directories(runDir);
    std::string scores(440, '\0');
    for (size_t i = 0; i < scores.size(); ++i)
        scores[i] = static_cast<char>(i * 7);
    home.Write("home/.local/share/glyphtumble/glyphtumble.hi", scores);
    fs::create_symlink("/nonexistent/old/dictionary.txt", runDir + "/dictionary.txt");
    home.Write("home/.local/share/glyphtumble/font.pgm", "an old copy");

    const ProgramResult r = Launch();
    EXPECT_EQ(r.status, 0) << r.err;
    ExpectLinkedData(runDir);
    EXPECT_EQ(TempDir::Read(runDir + "/glyphtumble.hi"), scores);
}

TEST_F(LauncherTest, BrokenInstall_SaysWhatIsWrongInOneLineAndStartsNoGame) {
    for (const char* f : DataFiles) {
        SCOPED_TRACE(f);
        const std::string file = dataDir + "/" + f;
        fs::rename(file, file + ".away");
        ExpectRefused(Launch(), "missing data file " + file + " (reinstall the package)");
        fs::rename(file + ".away", file);
    }
    // No line ends in a newline, or none holds a letter: the game has no word.
    for (const char* words : {"", "CAT", "\n\n"}) {
        root.Write("usr/share/glyphtumble/dictionary.txt", words);
        ExpectRefused(Launch(), "holds no word");
    }
    root.Write("usr/share/glyphtumble/dictionary.txt", "CAT\n");
    fs::remove(root.File("usr/libexec/glyphtumble/glyphtumble"));
    ExpectRefused(Launch(), "missing game program");
}

TEST_F(LauncherTest, NoFolderForThePlayer_SaysSoAndStartsNoGame) {
    // Tests run as root, whom permissions don't stop, so the folders are
    // blocked by regular files instead.
    {
        ScopedEnv fileHome("HOME", home.Write("file-home", "x"));
        ExpectRefused(Launch(), "can't make the folder");
    }
    {
        ScopedEnv fileXdg("XDG_DATA_HOME", home.Write("file-xdg", "x"));
        ExpectRefused(Launch(), "can't make the folder");
    }
    fs::create_directories(home.File("home/.local/share"));
    home.Write("home/.local/share/glyphtumble", "x");
    ExpectRefused(Launch(), "can't make the folder");
    ScopedEnv noHome("HOME", std::nullopt);
    ExpectRefused(Launch(), "neither HOME nor XDG_DATA_HOME");
}

// The package as built by cpack, unpacked under a throwaway root and started
// with the real game on the test's X display.
TEST(InstallTest, DebianPackage_NamesItsNeedsAndRunsFromWhereverItIsUnpacked) {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr)
        << "needs an X display (./test runs the tests under Xvfb)";
    TempDir out, root, home;
    const ProgramResult made =
        RunProgram(GLYPHTUMBLE_CPACK,
                   {"-G", "DEB", "--config",
                    std::string(GLYPHTUMBLE_BUILD_DIR) + "/CPackConfig.cmake", "-B", out.Path()},
                   out.Path(), 240);
    ASSERT_EQ(made.status, 0) << made.out << made.err;
    const std::string arch = Shell("dpkg --print-architecture | tr -d '\\n'").out;
    const std::string deb =
        out.File(std::string("glyphtumble_") + GLYPHTUMBLE_VERSION + "_" + arch + ".deb");
    ASSERT_TRUE(fs::exists(deb)) << made.out;

    const ProgramResult control = Shell("dpkg-deb -f " + deb + " Package Section Depends");
    EXPECT_NE(control.out.find("Package: glyphtumble\n"), std::string::npos) << control.out;
    EXPECT_NE(control.out.find("Section: games\n"), std::string::npos) << control.out;
    for (const char* need : {"libglut3.12", "libgl1", "libglu1-mesa"})
        EXPECT_NE(control.out.find(need), std::string::npos) << need << " in " << control.out;

    ASSERT_EQ(Shell("dpkg -x " + deb + " " + root.Path()).status, 0);
    EXPECT_EQ(FilesUnder(root.Path()), InstalledFiles);

    ScopedEnv homeVar("HOME", home.Path());
    ScopedEnv xdgVar("XDG_DATA_HOME", std::nullopt);
    const std::string launcher = root.File("usr/bin/glyphtumble");
    const std::string runDir = home.File(".local/share/glyphtumble");
    // A bad option: the game prints its options and ends, having made its
    // high-score file in the player's folder.
    const ProgramResult usage = RunProgram(launcher, {"-x"}, home.Path());
    EXPECT_EQ(usage.status, 0);
    EXPECT_EQ(usage.err.rfind("Glyphtumble\nby Marrowdale\n", 0), 0u) << usage.err;
    EXPECT_EQ(TempDir::Read(runDir + "/glyphtumble.hi").size(), 440u);
    // Started properly, it is still running two seconds later.
    const ProgramResult run = RunProgram(launcher, {}, home.Path(), 2);
    EXPECT_EQ(run.status, -1) << run.err;
    EXPECT_NE(run.err.find("[killed after timeout]"), std::string::npos) << run.err;
}

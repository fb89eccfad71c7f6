// The installed tree, the launcher that gives each player a folder of their
// own, the menu entry, icons and manual page, and the Debian package.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "tests/support/GameProcess.h"

namespace fs = std::filesystem;

namespace {

const char* const DataFiles[] = {"dictionary.txt", "font.pgm", "tile.ppm", "water.ppm",
                                 "coarse.ppm"};

// Everything an install lays down, under its root.
std::set<std::string> InstalledFiles() {
    std::set<std::string> files = {"usr/bin/glyphtumble", "usr/libexec/glyphtumble/glyphtumble",
                                   "usr/share/applications/glyphtumble.desktop",
                                   "usr/share/man/man6/glyphtumble.6.gz"};
    for (const char* f : DataFiles)
        files.insert(std::string("usr/share/glyphtumble/") + f);
    for (const char* n : {"48x48", "128x128", "256x256"})
        files.insert(std::string("usr/share/icons/hicolor/") + n + "/apps/glyphtumble.png");
    return files;
}

std::set<std::string> FilesUnder(const std::string& root) {
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (!entry.is_directory())
            files.insert(fs::relative(entry.path(), root).string());
    return files;
}

// Installs under root; says nothing unless it fails.
std::string Install(const std::string& root) {
    return Shell("DESTDIR='" + root + "' '" + GLYPHTUMBLE_CMAKE + "' --install '" +
                 GLYPHTUMBLE_BUILD_DIR + "' --prefix /usr 2>&1 >/dev/null || echo failed");
}

// Runs the launcher under root with HOME=home and no XDG_DATA_HOME for up to
// seconds; its status then, -1 if still running.
int Launch(const std::string& root, const std::string& home, const std::vector<std::string>& args,
           std::string* err, double seconds = 30) {
    GameProcess game(fs::path(root).parent_path().string(), args,
                     {"XDG_DATA_HOME=", "HOME=" + home}, "", root + "/usr/bin/glyphtumble");
    const int status = game.Wait(seconds);
    *err = game.Err();
    return status;
}

} // namespace

TEST(InstallTest, Install_PutsEveryFileInItsPlaceAndEachPassesItsCheck) {
    TempDir dir;
    const std::string root = dir.Path();
    ASSERT_EQ(Install(root), "");
    EXPECT_EQ(FilesUnder(root), InstalledFiles());
    EXPECT_EQ("", Shell("cd " + root + "/usr/share/glyphtumble && for f in *; do cmp $f " +
                        GLYPHTUMBLE_DATA_DIR + "/$f; done 2>&1"));
    EXPECT_EQ("0\n", Shell("grep -cF -e '" + std::string(GLYPHTUMBLE_BUILD_DIR) + "' -e '" +
                           GLYPHTUMBLE_SOURCE_DIR + "' " + root + "/usr/bin/glyphtumble"));

    const std::string entry = root + "/usr/share/applications/glyphtumble.desktop";
    EXPECT_EQ(Shell("desktop-file-validate " + entry + " 2>&1 || echo failed"), "");
    for (const char* line : {"\nExec=glyphtumble\n", "\nIcon=glyphtumble\n"})
        EXPECT_NE(TempDir::Read(entry).find(line), std::string::npos) << line;
    EXPECT_EQ("", Shell("MANWIDTH=80 man -l --warnings=w " + root +
                        "/usr/share/man/man6/glyphtumble.6.gz 2>&1 >/dev/null || echo failed"));
    for (const size_t size : {48, 128, 256}) {
        const std::string n = std::to_string(size), dir = n + "x" + n;
        const std::string rgba = Shell("convert " + root + "/usr/share/icons/hicolor/" + dir +
                                       "/apps/glyphtumble.png -depth 8 rgba:-");
        ASSERT_EQ(rgba.size(), size * size * 4) << n;
        EXPECT_EQ(rgba[3], 0) << "clear corner at " << n;
        EXPECT_EQ(rgba[(size / 8 * size + size / 2) * 4 + 3], '\xff') << "opaque block at " << n;
    }
}

// One fresh install per row, with a stand-in game that records where it ran
// and with what arguments. Each row's shell set-up may break the install and
// prints the one line the launcher must refuse with (nothing: the game starts).
TEST(InstallTest, Launcher_RunsTheGameInThePlayersFolderOrRefusesInOneLine) {
    std::vector<std::string> rows = {
        "",
        "mkdir -p $F && ln -s /nowhere $F/dictionary.txt && echo old >$F/font.pgm && "
        "head -c 440 /dev/urandom >$F/glyphtumble.hi",
        "rm $G; echo \"missing game program $G (reinstall the package)\"",
        "rmdir $H && echo x >$H; echo \"can't make the folder $F for your Hall of Fame (is your "
        "home folder writable?)\""};
    for (const char* f : DataFiles)
        rows.push_back(std::string("rm $D/") + f + "; echo \"missing data file $D/" + f +
                       " (reinstall the package)\"");
    for (const char* words : {"", "CAT", "\\n\\n"})
        rows.push_back("printf '" + std::string(words) +
                       "' >$D/dictionary.txt; echo \"the word "
                       "list $D/dictionary.txt holds no word (reinstall the package)\"");
    for (const std::string& setup : rows) {
        SCOPED_TRACE(setup);
        TempDir dir;
        const std::string root = dir.File("root"), home = dir.File("home");
        const std::string run = home + "/.local/share/glyphtumble";
        ASSERT_EQ(Install(root), "");
        std::ofstream(root + "/usr/libexec/glyphtumble/glyphtumble")
            << "#!/bin/sh\n{ pwd -P; for a; do echo \"$a\"; done; } >game.log\n";
        const std::string why =
            Shell("R=" + root + " H=" + home + "; D=$R/usr/share/glyphtumble " +
                  "G=$R/usr/libexec/glyphtumble/glyphtumble F=" + run + "; mkdir $H; " + setup);
        const std::string hallBefore = TempDir::Read(run + "/glyphtumble.hi");
        std::string err;
        EXPECT_EQ(Launch(root, home, {"-w", "640", "-f"}, &err) == 0, why.empty());
        EXPECT_EQ(err, why.empty() ? "" : "glyphtumble: " + why);
        EXPECT_EQ(fs::exists(run + "/game.log"), why.empty());
        if (!why.empty())
            continue;
        for (const char* f : DataFiles)
            EXPECT_EQ(fs::read_symlink(run + "/" + f).string(),
                      root + "/usr/share/glyphtumble/" + f);
        EXPECT_EQ(TempDir::Read(run + "/game.log"), run + "\n-w\n640\n-f\n");
        EXPECT_EQ(TempDir::Read(run + "/glyphtumble.hi"), hallBefore);
    }
}

// The package as cpack builds it, unpacked under a throwaway root and started
// with the real game on the test's X display.
TEST(InstallTest, DebianPackage_NamesItsNeedsAndRunsFromWhereverItIsUnpacked) {
    TempDir out, dir;
    const std::string root = out.File("root"), home = dir.Path(), deb = out.Path() + "/*.deb";
    ASSERT_EQ(Shell("cd " + out.Path() + " && '" + GLYPHTUMBLE_CPACK + "' -G DEB --config " +
                    GLYPHTUMBLE_BUILD_DIR + "/CPackConfig.cmake -B . >log 2>&1 || cat log"),
              "");
    const std::string control = Shell("dpkg-deb -f " + deb + " Package Depends");
    EXPECT_NE(control.find("Package: glyphtumble\n"), std::string::npos) << control;
    EXPECT_NE(control.find("libglut"), std::string::npos) << control;
    ASSERT_EQ(Shell("dpkg -x " + deb + " " + root + " 2>&1"), "");
    EXPECT_EQ(FilesUnder(root), InstalledFiles());

    std::string err;
    EXPECT_EQ(Launch(root, home, {"-x"}, &err), 0);
    EXPECT_EQ(err.rfind("Glyphtumble\nby Marrowdale\n", 0), 0u) << err;
    EXPECT_EQ(TempDir::Read(home + "/.local/share/glyphtumble/glyphtumble.hi").size(), 440u);
    EXPECT_EQ(Launch(root, home, {}, &err, 2), -1) << "the game ended by itself: " << err;
}

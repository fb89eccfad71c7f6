// The installed tree, the launcher that gives each player a folder of their
// own, the menu entry, icons and manual page, and the Debian package.

#include <gtest/gtest.h>

#include "tests/support/GameProcess.h"

namespace {

// The files under root; those an install lays down; those of the package, in
// Debian's layout for games and with lintian's notes.
std::string Files(const std::string& root) {
    return Shell("cd " + root + " && find * ! -type d | LC_ALL=C sort");
}
const std::string Installed =
    "usr/bin/glyphtumble\nusr/libexec/glyphtumble/glyphtumble\n"
    "usr/share/applications/glyphtumble.desktop\nusr/share/doc/glyphtumble/changelog.gz\n"
    "usr/share/doc/glyphtumble/copyright\nusr/share/glyphtumble/coarse.ppm\n"
    "usr/share/glyphtumble/de/dictionary.txt\nusr/share/glyphtumble/de/letters.txt\n"
    "usr/share/glyphtumble/dictionary.txt\n"
    "usr/share/glyphtumble/es/dictionary.txt\nusr/share/glyphtumble/es/letters.txt\n"
    "usr/share/glyphtumble/font-latin1.pgm\nusr/share/glyphtumble/font.pgm\n"
    "usr/share/glyphtumble/fr/dictionary.txt\nusr/share/glyphtumble/fr/letters.txt\n"
    "usr/share/glyphtumble/it/dictionary.txt\nusr/share/glyphtumble/it/letters.txt\n"
    "usr/share/glyphtumble/nl/dictionary.txt\nusr/share/glyphtumble/nl/letters.txt\n"
    "usr/share/glyphtumble/tile.ppm\nusr/share/glyphtumble/water.ppm\n"
    "usr/share/icons/hicolor/128x128/apps/glyphtumble.png\n"
    "usr/share/icons/hicolor/256x256/apps/glyphtumble.png\n"
    "usr/share/icons/hicolor/48x48/apps/glyphtumble.png\nusr/share/man/man6/glyphtumble.6.gz\n"
    "usr/share/metainfo/glyphtumble.metainfo.xml\n";
const std::string Packaged = Shell("printf '" + Installed +
                                   "usr/share/lintian/overrides/glyphtumble' | sed -e "
                                   "s,^usr/bin/,usr/games/, -e s,^usr/share/glyph,usr/share/"
                                   "games/glyph, | LC_ALL=C sort");

// Runs a launcher with HOME=home and no XDG_DATA_HOME: its status after at
// most seconds (-1: still running) and what it printed on standard error.
std::pair<int, std::string> Launch(const std::string& launcher, const std::string& home,
                                   const std::vector<std::string>& args, double seconds = 30) {
    GameProcess game(home + "/..", args, {"XDG_DATA_HOME=", "HOME=" + home}, "", launcher);
    return {game.Wait(seconds), game.Err()};
}

} // namespace

TEST(InstallTest, Install_PutsEveryFileInItsPlaceAndEachPassesItsCheck) {
    TempDir dir;
    const std::string root = dir.Path(), share = root + "/usr/share/";
    ASSERT_EQ(Shell("DESTDIR='" + root + "' '" + GLYPHTUMBLE_CMAKE + "' --install '" +
                    GLYPHTUMBLE_BUILD_DIR + "' --prefix /usr 2>&1 >/dev/null || echo failed"),
              "");
    EXPECT_EQ(Files(root), Installed);
    // Each check prints only when it fails.
    EXPECT_EQ(Shell("cd " + share + "glyphtumble && for f in * */*; do [ -d $f ] || cmp $f " +
                    GLYPHTUMBLE_DATA_DIR + "/$f; done 2>&1; cd " + share +
                    "applications && desktop-file-validate glyphtumble.desktop 2>&1 || echo bad; "
                    "grep -cx -e Exec=glyphtumble -e Icon=glyphtumble glyphtumble.desktop | grep "
                    "-qx 2 || echo no Exec or Icon"),
              "");
    // A clear corner, an opaque block an eighth down the middle.
    for (const std::string n : {"48", "128", "256"})
        EXPECT_EQ(Shell("convert " + share + "icons/hicolor/" + n + "x" + n +
                        "/apps/glyphtumble.png -format '%w %[fx:p{0,0}.a] %[fx:p{w/2,h/8}.a]' "
                        "info:"),
                  n + " 0 1");
    // The launcher finds the data and the game from where it lies.
    EXPECT_EQ(Launch(root + "/usr/bin/glyphtumble", root, {"-x"}).first, 0);
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
    EXPECT_NE(control.find("libopenal1"), std::string::npos) << control;
    ASSERT_EQ(Shell("dpkg -x " + deb + " " + root + " 2>&1"), "");
    EXPECT_EQ(Files(root), Packaged);
    // Info tags too where the build is hardened: lintian reports missing
    // hardening at that level. Each check prints only when it fails.
    EXPECT_EQ(
        Shell(std::string("lintian ") +
              (GLYPHTUMBLE_HARDENED ? "-I --fail-on error,warning,info "
                                    : "--fail-on error,warning ") +
              deb + " 2>/dev/null || echo lintian; cd " + root +
              "/usr/share && appstreamcli validate --no-net "
              "metainfo/glyphtumble.metainfo.xml 2>&1 | grep Validation | grep -qv errors: || "
              "echo appstream; "
              "grep -x Exec=/usr/games/glyphtumble applications/glyphtumble.desktop"),
        "Exec=/usr/games/glyphtumble\n");
    const std::string copyright = TempDir::Read(root + "/usr/share/doc/glyphtumble/copyright");
    for (const char* notice :
         {"Glyphtumble developers\nLicense: Expat\n", "Files: */dictionary.txt", "Kevin Atkinson",
          "Files: */font.pgm", "Bitstream, Inc.", "Files: */de/dictionary.txt",
          "source package igerman98, version ", "Santiago Bosio", "\nLicense: MPL-1.1\n",
          "\nLicense: GPL-3\n", "OpenTaal", "OpenAL Soft\n (Debian's libopenal1)"})
        EXPECT_NE(copyright.find(notice), std::string::npos) << notice;
    // Started the way the menu entry starts it: the usage text and status 0
    // for an unknown option; the fallback from game mode to a full-screen
    // window, still running.
    const std::string launcher = "/usr/games/glyphtumble";
    const auto [status, usage] = Launch(root + launcher, home, {"-f", "-x"});
    EXPECT_EQ(status, 0);
    EXPECT_EQ(usage, "Glyphtumble\nby Marrowdale\nversion 1.10 build 2003-12-06\n\n"
                     "Command line options:\n"
                     "\t-w XXX -h YYY : set window size to XXX by YYY\n"
                     "\t-b XX         : set color depth to XX\n"
                     "\t-f            : run in full screen [desktop resolution]\n"
                     "\t-F            : run in full screen [switch resolution (Win32 only)]\n");
    const auto [running, err] = Launch(root + launcher, home, {"-b", "0", "-F"}, 2);
    EXPECT_EQ(running, -1) << "the game ended by itself";
    EXPECT_NE(err.find("psGlutApp::OpenWindow(): Couldn't switch the display to 800x600, "
                       "using a full-screen window instead.\n"),
              std::string::npos)
        << err;

    // The launcher, on a fresh copy of the tree per row, with a stand-in game
    // that records where it ran and with what arguments. Each row's shell
    // set-up may break the copy and prints the one line the launcher must
    // refuse with (nothing: the game starts).
    std::vector<std::string> rows = {
        "",
        "mkdir -p $F && ln -s /nowhere $F/dictionary.txt && echo old >$F/font.pgm && "
        "head -c 440 /dev/urandom >$F/glyphtumble.hi",
        "rm $G; echo \"missing game program $G (reinstall the package)\"",
        "rmdir $H && echo x >$H; echo \"can't make the folder $F for your Hall of Fame (is your "
        "home folder writable?)\""};
    for (const std::string f :
         {"dictionary.txt", "font.pgm", "tile.ppm", "water.ppm", "coarse.ppm"})
        rows.push_back("rm $D/" + f + "; echo \"missing data file $D/" + f +
                       " (reinstall the package)\"");
    for (const std::string words : {"", "CAT", "\\n\\n"})
        rows.push_back("printf '" + words + "' >$D/dictionary.txt; echo \"the word list " +
                       "$D/dictionary.txt holds no word (reinstall the package)\"");
    for (const std::string& setup : rows) {
        SCOPED_TRACE(setup);
        TempDir dir;
        const std::string copy = dir.File("root"), home = dir.File("home");
        const std::string run = home + "/.local/share/glyphtumble";
        const std::string why = Shell(
            "R=" + copy + " H=" + home + "; D=$R/usr/share/games/glyphtumble " +
            "G=$R/usr/libexec/glyphtumble/glyphtumble F=" + run + "; cp -a " + root + " $R && " +
            "printf '#!/bin/sh\\n{ pwd -P; for a; do echo \"$a\"; done; } >game.log\\n' >$G; " +
            "mkdir $H; " + setup);
        const std::string hallBefore = TempDir::Read(run + "/glyphtumble.hi");
        const auto [status, err] = Launch(copy + launcher, home, {"-w", "640", "-f"});
        EXPECT_EQ(status == 0, why.empty());
        EXPECT_EQ(err, why.empty() ? "" : "glyphtumble: " + why);
        // The game started there, the data files linked in, the table left alone.
        EXPECT_EQ(Shell("cd " + run + " && cat game.log && for f in *.txt *.p?m; do [ $(readlink " +
                        "$f) = " + copy + "/usr/share/games/glyphtumble/$f ] || echo $f; done"),
                  why.empty() ? run + "\n-w\n640\n-f\n" : "");
        EXPECT_EQ(TempDir::Read(run + "/glyphtumble.hi"), hallBefore);
    }
    // --language, first: the language's own folder under the player's, its
    // word list and letters linked in beside the images, the rest passed on.
    // An unknown code names the languages installed.
    for (const std::string code : {"de", "xx"}) {
        TempDir dir;
        const std::string copy = dir.File("root"), home = dir.File("home"), run = home +
            "/.local/share/glyphtumble/" + code, data = copy + "/usr/share/games/glyphtumble";
        Shell("cp -a " + root + " " + copy + " && printf '#!/bin/sh\\n{ pwd -P; for a; do echo " +
              "\"$a\"; done; } >game.log\\n' >" + copy + "/usr/libexec/glyphtumble/glyphtumble; " +
              "mkdir " + home);
        const bool known = code == "de";
        EXPECT_EQ(Launch(copy + launcher, home, {"--language", code, "-w", "640"}),
                  std::make_pair(known ? 0 : 2, known ? std::string() :
                      "glyphtumble: no language \"xx\"; installed: de es fr it nl\n"));
        EXPECT_EQ(Shell("cd " + run + " 2>/dev/null && cat game.log && readlink dictionary.txt " +
                        "letters.txt font-latin1.pgm tile.ppm"),
                  known ? run + "\n-w\n640\n" + data + "/de/dictionary.txt\n" + data +
                              "/de/letters.txt\n" + data + "/font-latin1.pgm\n" + data +
                              "/tile.ppm\n"
                        : "");
    }
}

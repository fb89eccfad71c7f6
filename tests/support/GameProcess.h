#pragma once

// The one harness for tests that start real programs. MakeRunFolder gives the
// game a folder with copies of its data files; GameProcess runs the game (or
// another program) there with the test preload (tests/preload: a rand of the
// test's choosing, the id of the game's window), captures its output, sends
// keys through xdotool and waits for its end; the test then reads the folder
// back. Under GLYPHTUMBLE_WRAPPER (e.g. valgrind) the game runs inside the
// wrapper and every wait stretches.

#include <functional>
#include <set>
#include <string>
#include <sys/types.h>
#include <vector>

#include "tests/support/TempDir.h"

class GameProcess {
  public:
    // Runs program with args in dir, env's "NAME=value" settings added; as user
    // when one is named (the test is root), from copies that account can reach.
    GameProcess(const std::string& dir, const std::vector<std::string>& args,
                const std::vector<std::string>& env = {}, const std::string& user = "",
                const std::string& program = GLYPHTUMBLE_BINARY);
    ~GameProcess(); // kills it if it still runs

    std::string Window(double seconds); // its mapped X window id, or ""
    void Keys(const std::string& keys, double pause = 0); // to the window, then a pause
    bool Running();                                       // reaps it when it has ended
    int Wait(double seconds); // exit status; -1 if killed or still running
    std::string Out() const { return TempDir::Read(capture.File("out")); }
    std::string Err() const { return TempDir::Read(capture.File("err")); }

  private:
    TempDir capture;
    pid_t pid = -1;
    int status = -1;
    bool ended = false;
    std::string window;
};

// Runs a shell command and returns what it printed; ok tells whether it succeeded.
std::string Shell(const std::string& command, bool* ok = nullptr);
inline std::string Xdo(const std::string& args, bool* ok = nullptr) {
    return Shell("xdotool " + args + " 2>/dev/null", ok);
}
std::string MakeRunFolder(const TempDir& base); // base/run with the data files
std::set<std::string> Listing(const std::string& folder);                     // names in it
std::string Record(const std::string& name, int score, int words, int skill); // 44 bytes
void Pause(double seconds); // a few frames' time, five times longer under a wrapper
// Polls condition every 20 ms for up to seconds (stretched under a wrapper).
bool WaitFor(double seconds, const std::function<bool()>& condition);

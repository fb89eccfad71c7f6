#pragma once

// The harness of the tests that start real programs: a folder with copies of
// the game's data files, the game (or another program) run there with the
// test preload (tests/preload), keys sent to its window, its end awaited.
// Under GLYPHTUMBLE_WRAPPER (valgrind, say) it runs inside the wrapper and
// every wait stretches.

#include <functional>
#include <string>
#include <vector>

#include "tests/support/HighScoreRecord.h"
#include "tests/support/TempDir.h"

class GameProcess {
  public:
    // env: "NAME=value" settings; user: an account to run as (the test is
    // root), from copies it can reach wherever the build lies.
    GameProcess(const std::string& dir, const std::vector<std::string>& args,
                const std::vector<std::string>& env = {}, const std::string& user = "",
                std::string program = GLYPHTUMBLE_BINARY);
    ~GameProcess();                                             // kills it if it still runs
    std::string Window(double seconds = 0);                     // its mapped X window's id, or ""
    void Keys(const std::string& keys, double pause = 0) const; // to the window, then a pause
    int Wait(double seconds); // exit status; -1 if killed, still running or never started
    std::string Err() const { return TempDir::Read(capture.File("err")); }

  private:
    TempDir capture; // its output and window id, and the copies
    int pid = -1, status = -1;
    std::string window;
};

std::string Shell(const std::string& command); // what it printed
inline std::string Xdo(const std::string& args) {
    return Shell("timeout 10 xdotool " + args + " 2>/dev/null");
}
// base/run, with a language's word list and letters when one is given.
std::string MakeRunFolder(const TempDir& base, const std::string& language = "");
bool WaitFor(double seconds, const std::function<bool()>& condition); // polled every 20 ms
inline void Pause(double seconds) {
    WaitFor(seconds, [] { return false; });
}

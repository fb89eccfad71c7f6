#pragma once

// The harness of the tests that start real programs: MakeRunFolder gives the
// game a folder of its own with copies of the data files; GameProcess runs the
// game (or another program) there with the test preload (tests/preload),
// sends keys to its window and waits for its end. Under GLYPHTUMBLE_WRAPPER
// (valgrind, say) the program runs inside the wrapper and every wait stretches.

#include <functional>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

class GameProcess {
  public:
    // env: "NAME=value" settings; user: an account to run as (the test is
    // root), from copies it can reach wherever the build lies.
    GameProcess(const std::string& dir, const std::vector<std::string>& args,
                const std::vector<std::string>& env = {}, const std::string& user = "",
                std::string program = GLYPHTUMBLE_BINARY);
    ~GameProcess(); // kills it if it still runs

    std::string Window(double seconds = 0);                     // its mapped X window id, or ""
    void Keys(const std::string& keys, double pause = 0) const; // to the window, then a pause
    int Wait(double seconds); // exit status; -1 if killed or still running
    std::string Err() const { return TempDir::Read(capture.File("err")); }

  private:
    TempDir capture; // its output and window id, and the copies
    int pid = -1, status = -1;
    std::string window;
};

std::string Shell(const std::string& command); // what it printed
inline std::string Xdo(const std::string& args) {
    return Shell("xdotool " + args + " 2>/dev/null");
}
std::string MakeRunFolder(const TempDir& base);                               // base/run
std::string Record(const std::string& name, int score, int words, int skill); // 44 bytes
// Polls condition every 20 ms for up to seconds.
bool WaitFor(double seconds, const std::function<bool()>& condition);
inline void Pause(double seconds) {
    WaitFor(seconds, [] { return false; });
}

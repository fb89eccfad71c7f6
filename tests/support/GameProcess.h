#pragma once

// The real game run in a folder of the test's choosing with the test preload
// (tests/preload), driven through xdotool; its output goes beside the folder.
// Under GLYPHTUMBLE_WRAPPER (e.g. valgrind) every wait stretches by Slowness().

#include <functional>
#include <set>
#include <string>
#include <sys/types.h>
#include <vector>

#include "tests/support/TempDir.h"

class GameProcess {
  public:
    // env: "NAME=value" additions; user: an existing account to run as (the test is root).
    GameProcess(const std::string& program, const std::vector<std::string>& args,
                const std::string& dir, const std::vector<std::string>& env = {},
                const std::string& user = "");
    ~GameProcess(); // kills the game if it still runs

    std::string Window(double seconds); // its mapped X window id, or ""
    bool Running();                     // reaps it when it has ended
    int Wait(double seconds);           // exit status; -1 if killed or still running
    std::string Output() const { return TempDir::Read(outFile); } // stdout and stderr

  private:
    pid_t pid = -1;
    int status = -1;
    bool ended = false;
    std::string outFile, windowFile, authorityFile;
};

// Runs a shell command and returns what it printed; ok tells whether it succeeded.
std::string Shell(const std::string& command, bool* ok = nullptr);
inline std::string Xdo(const std::string& args, bool* ok = nullptr) {
    return Shell("xdotool " + args + " 2>/dev/null", ok);
}
std::string MakeRunFolder(const std::string& base);       // base/run with links to the data
std::set<std::string> Listing(const std::string& folder); // the names in it
std::string Record(const std::string& name, int score, int words, int skill); // 44 bytes
void Pause(double seconds); // a few frames' time, five times longer under a wrapper
// Polls condition every 20 ms for up to seconds (times Slowness()).
bool WaitFor(double seconds, const std::function<bool()>& condition);

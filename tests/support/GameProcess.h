#pragma once

// The real game binary running in a folder of the test's choosing, with extra
// environment variables, while the test drives it. Standard output and error
// go to files beside that folder (in its parent), read after the end. The
// game runs with the test preload library (tests/preload), which reports its
// window.
//
// GLYPHTUMBLE_WRAPPER, when set in the test's environment, is a command that
// the game runs under (for example "valgrind --error-exitcode=99"); Slowness()
// then tells the test how much longer to wait for anything.

#include <string>
#include <sys/types.h>
#include <vector>

class GameProcess {
  public:
    // Starts program with args in dir; env holds "NAME=value" additions.
    // When user names an account (the test must run as root then), the game
    // runs as that user, so that file permissions bind: dir's parent is made
    // passable for it and it gets a copy of the X authority to reach the
    // display.
    GameProcess(const std::string& program, const std::vector<std::string>& args,
                const std::string& dir, const std::vector<std::string>& env = {},
                const std::string& user = "");
    ~GameProcess(); // kills the game if it is still running
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    pid_t Pid() const { return pid; }
    // The X window id of the game's window once it is on the screen; "" when
    // it doesn't show within seconds (times Slowness()).
    std::string Window(double seconds);
    // Whether it is still running (reaps it when it has ended).
    bool Running();
    // Waits up to seconds (times Slowness()) for the end. The exit status, or
    // -1 when it was killed by a signal or is still running.
    int Wait(double seconds);
    // Ends it with SIGKILL when it still runs.
    void Kill();
    // What it wrote so far.
    std::string Out() const;
    std::string Err() const;

  private:
    pid_t pid = -1;
    int status = -1;
    bool ended = false;
    std::string outFile;
    std::string errFile;
    std::string windowFile;
    std::string authorityFile;
};

// How many times longer than usual anything takes: 1, or 25 under a wrapper.
double Slowness();

// Sleeps seconds, a few times longer under a wrapper: long enough for the
// game to draw some frames of the screen it is on.
void Pause(double seconds);

bool WaitForImpl(double seconds, bool (*poll)(void*), void* context);

// Polls condition every 20 ms for up to seconds (times Slowness()); true as
// soon as it holds.
template <typename Condition> bool WaitFor(double seconds, Condition condition) {
    return WaitForImpl(
        seconds, [](void* c) { return (*static_cast<Condition*>(c))(); }, &condition);
}

#pragma once

// Real key and mouse events for a running game, through xdotool on the X
// display of the test run.

#include <string>
#include <sys/types.h>

// Runs "xdotool <args>" and returns what it printed; ok (when given) tells
// whether it succeeded.
std::string Xdo(const std::string& args, bool* ok = nullptr);

// The game's window, found by its process id; "" when none appears within
// seconds (times Slowness()).
std::string FindGameWindow(pid_t pid, double seconds);

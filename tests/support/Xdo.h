#pragma once

// Real key and mouse events for a running game, through xdotool on the X
// display of the test run.

#include <string>

// Runs "xdotool <args>" and returns what it printed; ok (when given) tells
// whether it succeeded.
std::string Xdo(const std::string& args, bool* ok = nullptr);

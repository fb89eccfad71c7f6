#pragma once

// Real key and mouse events for a running game, through xdotool on the X
// display of the test run, and pictures of its window.

#include <string>

// Runs "xdotool <args>" and returns what it printed; ok (when given) tells
// whether it succeeded.
std::string Xdo(const std::string& args, bool* ok = nullptr);

// The window's picture as it is on the screen: 8-bit red, green, blue per
// pixel, rows from the top ("" when it can't be taken).
std::string Screenshot(const std::string& window);

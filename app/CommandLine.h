#pragma once

// The game's command line: window size, colour depth and screen mode.

struct CommandLine {
    int width = 800;
    int height = 600;
    int depth = 16;
    int screenMode = 0; // 0 window, 1 desktop full screen, 2 game mode
};

// Reads the arguments after the program name into options, in order, a later
// option overriding an earlier one; values are read with atoi. False at the
// first argument that is no option (or an option missing its value): the
// caller then prints the usage text.
bool ParseCommandLine(int argc, char** argv, CommandLine& options);

// The banner and the option list, on standard error.
void PrintUsage();

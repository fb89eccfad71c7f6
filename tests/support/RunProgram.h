#pragma once

// Runs a program to its end and captures what it wrote.

#include <string>
#include <vector>

struct ProgramResult {
    int status = -1;  // exit status, or -1 when it did not exit normally
    std::string out;  // standard output
    std::string err;  // standard error
};

// Runs program with args in the folder dir; kills it after timeoutSeconds.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& dir, int timeoutSeconds = 30);

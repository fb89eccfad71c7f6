#include "app/CommandLine.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

bool ParseCommandLine(int argc, char** argv, CommandLine& options) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(arg, "-w") == 0 && hasValue)
            options.width = std::atoi(argv[++i]);
        else if (std::strcmp(arg, "-h") == 0 && hasValue)
            options.height = std::atoi(argv[++i]);
        else if (std::strcmp(arg, "-b") == 0 && hasValue)
            options.depth = std::atoi(argv[++i]);
        else if (std::strcmp(arg, "-f") == 0)
            options.screenMode = 1;
        else if (std::strcmp(arg, "-F") == 0)
            options.screenMode = 2;
        else
            return false;
    }
    return true;
}

void PrintUsage() {
    std::fprintf(stderr, "%s\n%s\n%s\n\n", "Glyphtumble", "by Marrowdale",
                 "version 1.10 build 2003-12-06");
    std::fputs("Command line options:\n", stderr);
    std::fputs("\t-w XXX -h YYY : set window size to XXX by YYY\n", stderr);
    std::fputs("\t-b XX         : set color depth to XX\n", stderr);
    std::fputs("\t-f            : run in full screen [desktop resolution]\n", stderr);
    std::fputs("\t-F            : run in full screen [switch resolution (Win32 only)]\n", stderr);
}

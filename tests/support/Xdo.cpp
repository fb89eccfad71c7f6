#include "tests/support/Xdo.h"

#include <cstdio>
#include <sys/wait.h>

std::string Xdo(const std::string& args, bool* ok) {
    const std::string command = "xdotool " + args + " 2>/dev/null";
    std::string out;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        if (ok != nullptr)
            *ok = false;
        return out;
    }
    char buffer[256];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    const int status = pclose(pipe);
    if (ok != nullptr)
        *ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return out;
}

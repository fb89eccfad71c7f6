#include "tests/support/Xdo.h"

#include <cstdio>
#include <sys/wait.h>

namespace {

// Runs a shell command and returns its standard output.
std::string Capture(const std::string& command, bool* ok) {
    std::string out;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        if (ok != nullptr)
            *ok = false;
        return out;
    }
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    const int status = pclose(pipe);
    if (ok != nullptr)
        *ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return out;
}

} // namespace

std::string Xdo(const std::string& args, bool* ok) {
    return Capture("xdotool " + args + " 2>/dev/null", ok);
}

std::string Screenshot(const std::string& window) {
    bool ok = false;
    const std::string pixels =
        Capture("import -window " + window + " -depth 8 rgb:- 2>/dev/null", &ok);
    return ok ? pixels : std::string();
}

#include "tests/support/GameProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

std::string Shell(const std::string& command) {
    std::string out;
    char buffer[4096];
    std::FILE* pipe = popen(command.c_str(), "r");
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    return pclose(pipe), out;
}

// Copies, not links: a test may break them, and another account must reach them.
std::string MakeRunFolder(const TempDir& base, const std::string& language) {
    Shell("chmod o+x " + base.Path() + " && mkdir " + base.File("run") + " && cd " +
          GLYPHTUMBLE_DATA_DIR + " && cp dictionary.txt *.p?m " + base.File("run") +
          (language.empty() ? "" : " && cp " + language + "/*.txt " + base.File("run")));
    return base.File("run");
}

static const char* const Wrapper = std::getenv("GLYPHTUMBLE_WRAPPER");

bool WaitFor(double seconds, const std::function<bool()>& condition) {
    for (int i = static_cast<int>(seconds * (Wrapper ? 25 : 1) * 50); i > 0; --i, usleep(20000))
        if (condition())
            return true;
    return condition();
}

// One shell line: env with the settings (the preload before a sanitizer's
// runtime), setpriv for another account, the wrapper, the program.
GameProcess::GameProcess(const std::string& dir, const std::vector<std::string>& args,
                         const std::vector<std::string>& env, const std::string& user,
                         std::string program) {
    std::string preload = GLYPHTUMBLE_TEST_PRELOAD,
                command = "cd '" + dir +
                          "' && exec env GLYPHTUMBLE_WINDOW_FILE=" + capture.Write("window", "");
    if (!user.empty()) { // who may not enter the build's folders, nor read the X authority
        program = capture.Write("game", TempDir::Read(program));
        preload = capture.Write("preload.so", TempDir::Read(preload));
        command += " MESA_SHADER_CACHE_DISABLE=true XAUTHORITY=" +
                   capture.Write("xauthority", TempDir::Read(std::getenv("XAUTHORITY") ?: ""));
        Shell("chmod -R a+rwX " + capture.Path() + " && chmod a+x " + program);
    }
    command += " LD_PRELOAD=" + preload + " ASAN_OPTIONS=verify_asan_link_order=0:$ASAN_OPTIONS";
    for (const std::string& setting : env)
        command += " '" + setting + "'";
    if (!user.empty())
        command += " setpriv --reuid=" + user + " --regid=$(id -g " + user + ") --clear-groups";
    command += std::string(" ") + (Wrapper ? Wrapper : "") + " '" + program + "'";
    for (const std::string& arg : args)
        command += " '" + arg + "'";
    command += " >" + capture.File("out") + " 2>" + capture.File("err");
    if ((pid = fork()) == 0) {
        execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
        _exit(127);
    }
    if (pid < 0) { // nothing runs: a kill or wait on pid -1 would reach every process
        ADD_FAILURE() << "can't start " << program << ": fork failed";
        status = 256;
    }
}

GameProcess::~GameProcess() {
    if (status == -1 && pid > 0 && kill(pid, SIGKILL) == 0)
        waitpid(pid, nullptr, 0);
}

int GameProcess::Wait(double seconds) {
    int raw = 0;
    if (status == -1 && WaitFor(seconds, [&] { return waitpid(pid, &raw, WNOHANG) == pid; }))
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 256;
    return status == 256 ? -1 : status;
}

std::string GameProcess::Window(double seconds) {
    std::string id;                            // "<id>\n" once the preload has written it
    const bool mapped = WaitFor(seconds, [&] { // keys sent before would be lost
        id = TempDir::Read(capture.File("window"));
        const std::string shown = "\n" + Xdo("search --onlyvisible --name '^Glyphtumble$'");
        return id.size() > 2 && shown.find("\n" + id) != std::string::npos;
    });
    return window = mapped ? id.substr(0, id.size() - 1) : "";
}

void GameProcess::Keys(const std::string& keys, double pause) const {
    if (!window.empty())
        Xdo("key --window " + window + " --delay 30 " + keys);
    Pause(pause);
}

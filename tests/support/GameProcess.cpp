#include "tests/support/GameProcess.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/TempDir.h"
#include "tests/support/Xdo.h"

namespace {

std::vector<std::string> Words(const char* text) {
    std::vector<std::string> words;
    std::istringstream in(text != nullptr ? text : "");
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

// ":" and the text, or nothing when there is none.
std::string Appended(const char* text) {
    return text != nullptr && *text != '\0' ? ":" + std::string(text) : "";
}

} // namespace

double Slowness() {
    const char* wrapper = std::getenv("GLYPHTUMBLE_WRAPPER");
    return wrapper != nullptr && *wrapper != '\0' ? 25.0 : 1.0;
}

bool WaitForImpl(double seconds, bool (*poll)(void*), void* context) {
    const int polls = static_cast<int>(seconds * Slowness() * 50) + 1;
    for (int i = 0; i < polls; ++i) {
        if (poll(context))
            return true;
        usleep(20000);
    }
    return poll(context);
}

void Pause(double seconds) {
    const double factor = Slowness() > 1.0 ? 5.0 : 1.0;
    usleep(static_cast<useconds_t>(seconds * factor * 1e6));
}

GameProcess::GameProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& dir, const std::vector<std::string>& env,
                         const std::string& user) {
    // The captured output lives beside the run folder, not in it, so the run
    // folder holds only what the game itself made.
    static int serial = 0;
    const std::string stem = dir + ".game" + std::to_string(++serial);
    outFile = stem + ".out";
    errFile = stem + ".err";
    windowFile = stem + ".window";

    std::vector<std::string> settings = {
        "GLYPHTUMBLE_WINDOW_FILE=" + windowFile,
        std::string("LD_PRELOAD=") + GLYPHTUMBLE_TEST_PRELOAD,
        // A sanitizer build links its runtime dynamically, and the preload
        // comes before it in the library list.
        "ASAN_OPTIONS=verify_asan_link_order=0" + Appended(std::getenv("ASAN_OPTIONS")),
    };
    settings.insert(settings.end(), env.begin(), env.end());

    uid_t uid = 0;
    gid_t gid = 0;
    if (!user.empty()) {
        const passwd* account = getpwnam(user.c_str());
        if (account == nullptr)
            return; // no such user: nothing runs
        uid = account->pw_uid;
        gid = account->pw_gid;
        const std::string parent = std::filesystem::path(dir).parent_path().string();
        struct stat info;
        if (stat(parent.c_str(), &info) == 0)
            chmod(parent.c_str(), info.st_mode | S_IXOTH);
        // Files the game writes beside its folder must be there for it.
        std::ofstream(windowFile, std::ios::binary).flush();
        chmod(windowFile.c_str(), 0666);
        if (const char* authority = std::getenv("XAUTHORITY")) {
            authorityFile = stem + ".xauthority";
            const std::string cookie = TempDir::Read(authority);
            std::ofstream(authorityFile, std::ios::binary) << cookie;
            chmod(authorityFile.c_str(), 0644);
            settings.push_back("XAUTHORITY=" + authorityFile);
        }
        settings.push_back("MESA_SHADER_CACHE_DISABLE=true");
    }

    std::vector<std::string> command = Words(std::getenv("GLYPHTUMBLE_WRAPPER"));
    command.push_back(program);
    command.insert(command.end(), args.begin(), args.end());

    pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0)
            _exit(126);
        const int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, 1);
        dup2(err, 2);
        if (!user.empty() && (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0))
            _exit(125);
        for (const std::string& setting : settings)
            putenv(strdup(setting.c_str()));
        std::vector<char*> argv;
        for (const std::string& word : command)
            argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
}

GameProcess::~GameProcess() {
    Kill();
    unlink(outFile.c_str());
    unlink(errFile.c_str());
    unlink(windowFile.c_str());
    if (!authorityFile.empty())
        unlink(authorityFile.c_str());
}

bool GameProcess::Running() {
    if (ended || pid <= 0)
        return false;
    int raw = 0;
    if (waitpid(pid, &raw, WNOHANG) != pid)
        return true;
    ended = true;
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return false;
}

int GameProcess::Wait(double seconds) {
    WaitFor(seconds, [this] { return !Running(); });
    return ended ? status : -1;
}

void GameProcess::Kill() {
    if (!Running())
        return;
    kill(pid, SIGKILL);
    int raw = 0;
    waitpid(pid, &raw, 0);
    ended = true;
    status = -1;
}

std::string GameProcess::Out() const {
    return TempDir::Read(outFile);
}
std::string GameProcess::Err() const {
    return TempDir::Read(errFile);
}

std::string GameProcess::Window(double seconds) {
    std::string window;
    WaitFor(seconds, [&] {
        const std::string id = TempDir::Read(windowFile);
        window = id.substr(0, id.find('\n'));
        if (window.empty() || window == "0")
            return false;
        // Keys sent before the window is mapped would be lost.
        const std::string visible = "\n" + Xdo("search --onlyvisible --name '^Glyphtumble$'");
        return visible.find("\n" + window + "\n") != std::string::npos;
    });
    return window;
}

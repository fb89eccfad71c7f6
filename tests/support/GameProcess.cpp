#include "tests/support/GameProcess.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

std::string Shell(const std::string& command, bool* ok) {
    std::string out;
    std::FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (size_t n; pipe != nullptr && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    const int status = pipe != nullptr ? pclose(pipe) : -1;
    if (ok != nullptr)
        *ok = status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return out;
}

// Copies, not links: a test may grow or break them, and another account must reach them.
std::string MakeRunFolder(const TempDir& base) {
    fs::permissions(base.Path(), fs::perms::others_exec, fs::perm_options::add);
    const std::string run = base.File("run");
    fs::create_directory(run);
    for (const char* file : {"dictionary.txt", "font.pgm", "tile.ppm", "water.ppm", "coarse.ppm"})
        fs::copy_file(std::string(GLYPHTUMBLE_DATA_DIR) + "/" + file, run + "/" + file);
    return run;
}

std::set<std::string> Listing(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

std::string Record(const std::string& name, int score, int words, int skill) {
    std::string bytes = name;
    bytes.resize(32, '\0');
    for (const int v : {score, words, skill})
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<char>(static_cast<unsigned>(v) >> shift));
    return bytes;
}

static const char* Wrapper() {
    const char* wrapper = std::getenv("GLYPHTUMBLE_WRAPPER");
    return wrapper != nullptr ? wrapper : "";
}

bool WaitFor(double seconds, const std::function<bool()>& condition) {
    for (int i = static_cast<int>(seconds * (*Wrapper() ? 25 : 1) * 50); i > 0; --i, usleep(20000))
        if (condition())
            return true;
    return condition();
}

void Pause(double seconds) { usleep(static_cast<useconds_t>(seconds * (*Wrapper() ? 5 : 1) * 1e6)); }

GameProcess::GameProcess(const std::string& dir, const std::vector<std::string>& args,
                         const std::vector<std::string>& env, const std::string& user,
                         const std::string& program) {
    std::string preload = GLYPHTUMBLE_TEST_PRELOAD, run = program;
    const std::string windowFile = capture.File("window");
    // The preload comes before a sanitizer runtime in the library list.
    const char* asan = std::getenv("ASAN_OPTIONS");
    std::vector<std::string> settings = {"GLYPHTUMBLE_WINDOW_FILE=" + windowFile,
                                         "ASAN_OPTIONS=verify_asan_link_order=0" +
                                             (asan != nullptr ? ":" + std::string(asan) : "")};
    const passwd* account = user.empty() ? nullptr : getpwnam(user.c_str());
    if (account != nullptr) {
        // The account may be unable to enter the folder the build lives in.
        fs::permissions(capture.Path(), fs::perms::others_read | fs::perms::others_exec,
                        fs::perm_options::add);
        for (std::string* file : {&run, &preload}) {
            const std::string copy = capture.File(fs::path(*file).filename().string());
            fs::copy_file(*file, copy);
            *file = copy;
        }
        capture.Write("window", "");
        chmod(windowFile.c_str(), 0666);
        if (const char* authority = std::getenv("XAUTHORITY")) {
            settings.push_back("XAUTHORITY=" + capture.Write("xauthority", TempDir::Read(authority)));
            chmod(capture.File("xauthority").c_str(), 0644);
        }
        settings.push_back("MESA_SHADER_CACHE_DISABLE=true");
    }
    settings.push_back("LD_PRELOAD=" + preload);
    settings.insert(settings.end(), env.begin(), env.end());
    std::istringstream wrapper(Wrapper());
    std::vector<std::string> command;
    for (std::string word; wrapper >> word;)
        command.push_back(word);
    command.push_back(run);
    command.insert(command.end(), args.begin(), args.end());

    const int out = open(capture.File("out").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    const int err = open(capture.File("err").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    pid = fork();
    if (pid == 0) {
        dup2(out, 1);
        dup2(err, 2);
        if (chdir(dir.c_str()) != 0 ||
            (account != nullptr && (setgroups(0, nullptr) != 0 || setgid(account->pw_gid) != 0 ||
                                    setuid(account->pw_uid) != 0)))
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
    close(out);
    close(err);
}

GameProcess::~GameProcess() {
    if (Running() && kill(pid, SIGKILL) == 0)
        waitpid(pid, nullptr, 0);
}

bool GameProcess::Running() {
    int raw = 0;
    if (ended || pid <= 0 || waitpid(pid, &raw, WNOHANG) != pid)
        return !ended && pid > 0;
    ended = true;
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return false;
}

int GameProcess::Wait(double seconds) {
    WaitFor(seconds, [this] { return !Running(); });
    return ended ? status : -1;
}

std::string GameProcess::Window(double seconds) {
    const bool shown = WaitFor(seconds, [&] {
        const std::string id = TempDir::Read(capture.File("window"));
        window = id.substr(0, id.find('\n'));
        // Keys sent before the window is mapped would be lost.
        const std::string mapped = "\n" + Xdo("search --onlyvisible --name '^Glyphtumble$'");
        return window != "" && window != "0" &&
               mapped.find("\n" + window + "\n") != std::string::npos;
    });
    return shown ? window : "";
}

void GameProcess::Keys(const std::string& keys, double pause) {
    Xdo("key --window " + window + " --delay 30 " + keys);
    Pause(pause);
}

#include "tests/support/GameProcess.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <set>
#include <signal.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/TempDir.h"

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

std::string MakeRunFolder(const std::string& base) {
    const std::string run = base + "/run";
    std::filesystem::create_directory(run);
    for (const char* file : {"dictionary.txt", "font.pgm", "tile.ppm", "water.ppm", "coarse.ppm"})
        std::filesystem::create_symlink(std::string(GLYPHTUMBLE_DATA_DIR) + "/" + file,
                                        run + "/" + file);
    return run;
}

std::set<std::string> Listing(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
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

static double Slowness() { // 1, or 25 under a wrapper
    const char* wrapper = std::getenv("GLYPHTUMBLE_WRAPPER");
    return wrapper != nullptr && *wrapper != '\0' ? 25.0 : 1.0;
}

bool WaitFor(double seconds, const std::function<bool()>& condition) {
    for (int i = static_cast<int>(seconds * Slowness() * 50); i > 0; --i, usleep(20000))
        if (condition())
            return true;
    return condition();
}

void Pause(double seconds) {
    usleep(static_cast<useconds_t>(seconds * (Slowness() > 1.0 ? 5.0 : 1.0) * 1e6));
}

GameProcess::GameProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& dir, const std::vector<std::string>& env,
                         const std::string& user) {
    static int serial = 0;
    const std::string stem = dir + ".game" + std::to_string(++serial);
    outFile = stem + ".out";
    windowFile = stem + ".window";
    // The preload comes before a sanitizer runtime in the library list.
    const char* asan = std::getenv("ASAN_OPTIONS");
    std::vector<std::string> settings = {"GLYPHTUMBLE_WINDOW_FILE=" + windowFile,
                                         std::string("LD_PRELOAD=") + GLYPHTUMBLE_TEST_PRELOAD,
                                         "ASAN_OPTIONS=verify_asan_link_order=0" +
                                             (asan != nullptr ? ":" + std::string(asan) : "")};
    settings.insert(settings.end(), env.begin(), env.end());

    const passwd* account = user.empty() ? nullptr : getpwnam(user.c_str());
    if (account != nullptr) {
        // It must pass through the parent, write the window file and reach the display.
        std::filesystem::permissions(std::filesystem::path(dir).parent_path(),
                                     std::filesystem::perms::others_exec,
                                     std::filesystem::perm_options::add);
        std::ofstream(windowFile, std::ios::binary).flush();
        chmod(windowFile.c_str(), 0666);
        if (const char* authority = std::getenv("XAUTHORITY")) {
            authorityFile = stem + ".xauthority";
            std::ofstream(authorityFile, std::ios::binary) << TempDir::Read(authority);
            chmod(authorityFile.c_str(), 0644);
            settings.push_back("XAUTHORITY=" + authorityFile);
        }
        settings.push_back("MESA_SHADER_CACHE_DISABLE=true");
    }
    std::istringstream wrapper(
        std::getenv("GLYPHTUMBLE_WRAPPER") ? std::getenv("GLYPHTUMBLE_WRAPPER") : "");
    std::vector<std::string> command;
    for (std::string word; wrapper >> word;)
        command.push_back(word);
    command.push_back(program);
    command.insert(command.end(), args.begin(), args.end());

    pid = fork();
    if (pid == 0) {
        dup2(open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        dup2(1, 2);
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
}

GameProcess::~GameProcess() {
    if (Running() && kill(pid, SIGKILL) == 0) // its files go with the test's folder
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
    std::string window;
    WaitFor(seconds, [&] {
        const std::string id = TempDir::Read(windowFile);
        window = id.substr(0, id.find('\n'));
        // Keys sent before the window is mapped would be lost.
        const std::string shown = "\n" + Xdo("search --onlyvisible --name '^Glyphtumble$'");
        return window != "" && window != "0" &&
               shown.find("\n" + window + "\n") != std::string::npos;
    });
    return window;
}

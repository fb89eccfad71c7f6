#include "tests/support/RunProgram.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/TempDir.h"

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& dir, int timeoutSeconds) {
    TempDir capture;
    const std::string outFile = capture.File("out");
    const std::string errFile = capture.File("err");
    ProgramResult result;
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0)
            _exit(126);
        const int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, 1);
        dup2(err, 2);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    for (int waited = 0; waited < timeoutSeconds * 20; ++waited) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            result.out = TempDir::Read(outFile);
            result.err = TempDir::Read(errFile);
            return result;
        }
        usleep(50000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    result.out = TempDir::Read(outFile);
    result.err = TempDir::Read(errFile) + "\n[killed after timeout]";
    return result;
}

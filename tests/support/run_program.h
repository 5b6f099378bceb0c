// Runs a program with arguments (no shell), feeding it stdin and collecting stdout, stderr and
// the exit status.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace testsupport {

struct RunResult {
    int status = -1;  // exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
};

inline std::string Drain(int fd) {
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return text;
}

inline RunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                            const std::string& input = {}) {
    char outName[] = "/tmp/torvel-out-XXXXXX";
    char errName[] = "/tmp/torvel-err-XXXXXX";
    char inName[] = "/tmp/torvel-in-XXXXXX";
    const int outFd = ::mkstemp(outName);
    const int errFd = ::mkstemp(errName);
    const int inFd = ::mkstemp(inName);
    (void)!::write(inFd, input.data(), input.size());
    ::lseek(inFd, 0, SEEK_SET);
    RunResult result;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(inFd, 0);
        ::dup2(outFd, 1);
        ::dup2(errFd, 2);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    ::lseek(outFd, 0, SEEK_SET);
    ::lseek(errFd, 0, SEEK_SET);
    result.out = Drain(outFd);
    result.err = Drain(errFd);
    ::close(inFd);
    ::unlink(outName);
    ::unlink(errName);
    ::unlink(inName);
    return result;
}

}  // namespace testsupport

// Runs a program (no shell) in the working directory with the given standard input, and gives
// its exit status, standard output and standard error.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace testsupport {

struct RunResult {
    int status = -1;  // the exit status, or -1 when the program did not exit normally
    std::string out, err;
};

inline RunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                            const std::string& input = {}) {
    std::FILE* files[3] = {std::tmpfile(), std::tmpfile(), std::tmpfile()};
    std::fputs(input.c_str(), files[0]);
    std::fflush(files[0]);
    std::rewind(files[0]);
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        for (int fd = 0; fd < 3; ++fd) {
            ::dup2(::fileno(files[fd]), fd);
        }
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    std::string text[3];
    for (int fd = 0; fd < 3; ++fd) {
        std::rewind(files[fd]);
        for (int c; (c = std::fgetc(files[fd])) != EOF;) {
            text[fd] += static_cast<char>(c);
        }
        std::fclose(files[fd]);
    }
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text[1], text[2]};
}

}  // namespace testsupport

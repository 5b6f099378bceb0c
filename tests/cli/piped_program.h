// Runs torvel-cli with its standard input and output on pipes, as a script or a person at the
// other end of a pipe would, with a time limit on every wait so a test can fail but never hang.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

namespace clitest {

class PipedProgram {
  public:
    PipedProgram(const std::string& program, const std::vector<std::string>& args) {
        ::signal(SIGPIPE, SIG_IGN);  // a program that quits early must not kill the test
        int toChild[2];
        int fromChild[2];
        if (::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0) {
            return;
        }
        pid = ::fork();
        if (pid == 0) {
            ::dup2(toChild[0], 0);
            ::dup2(fromChild[1], 1);
            std::vector<char*> argv{const_cast<char*>(program.c_str())};
            for (const std::string& arg : args) {
                argv.push_back(const_cast<char*>(arg.c_str()));
            }
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(toChild[0]);
        ::close(fromChild[1]);
        input = toChild[1];
        output = fromChild[0];
    }
    ~PipedProgram() {
        CloseInput();
        if (output >= 0) {
            ::close(output);
        }
        if (pid > 0 && !reaped) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
    PipedProgram(const PipedProgram&) = delete;
    PipedProgram& operator=(const PipedProgram&) = delete;

    bool Started() const { return pid > 0 && input >= 0 && output >= 0; }

    bool Write(const std::string& text) {
        return input >= 0 &&
               ::write(input, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    }
    void CloseInput() {
        if (input >= 0) {
            ::close(input);
            input = -1;
        }
    }

    // Reads until the text received since the last call that returned true ends with `marker`
    // (true), or the output ends or the time runs out (false). All text is kept in Output().
    bool ReadUntil(const std::string& marker, std::chrono::milliseconds limit) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (received.size() == consumed || !received.ends_with(marker)) {
            if (!ReadSome(deadline)) {
                return false;
            }
        }
        consumed = received.size();
        return true;
    }
    // Reads until the program closes its output; false when the time runs out first.
    bool ReadToEnd(std::chrono::milliseconds limit) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (ReadSome(deadline)) {
        }
        return ended;
    }
    // Waits for the program to exit: its exit status, or -1 when it did not exit normally.
    int Wait() {
        int status = 0;
        if (pid <= 0 || ::waitpid(pid, &status, 0) != pid) {
            return -1;
        }
        reaped = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    const std::string& Output() const { return received; }

  private:
    bool ReadSome(std::chrono::steady_clock::time_point deadline) {
        if (ended || output < 0) {
            return false;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd ready{output, POLLIN, 0};
        if (::poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
            return false;
        }
        char buffer[4096];
        const ssize_t n = ::read(output, buffer, sizeof buffer);
        if (n <= 0) {
            ended = true;
            return false;
        }
        received.append(buffer, static_cast<size_t>(n));
        return true;
    }

    pid_t pid = -1;
    int input = -1;
    int output = -1;
    bool ended = false;
    bool reaped = false;
    std::string received;
    size_t consumed = 0;
};

}  // namespace clitest

#pragma once

#include <sys/types.h>
#include <chrono>
#include <optional>
#include <string>

#include <thread>
#include <vector>

namespace zelanto::testing {

// A program started by the test, with extra environment variables; killed if still running
// when the object goes.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The exit status once it has ended within `timeout`, otherwise nothing.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// What a command line run through the shell printed on its standard output, and its exit status.
struct ShellResult {
    int status = -1;
    std::string output;
};
ShellResult runShell(const std::string& command);

// Runs a command line through the shell and returns what it printed; an empty text when it
// failed.
std::string shellOutput(const std::string& command);

}  // namespace zelanto::testing

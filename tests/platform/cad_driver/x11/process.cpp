#include "tests/platform/cad_driver/x11/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace zelanto::testing {
namespace {

// Runs in the child between fork and exec: only async-signal-safe calls.
[[noreturn]] void execute(char* const* argv, int inheritedFd, pid_t parent) {
    if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != parent) {
        _exit(127);
    }
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    if (inheritedFd >= 0) {
        fcntl(inheritedFd, F_SETFD, 0);  // keep it open across exec
    }
    execvp(argv[0], argv);
    _exit(127);
}

}  // namespace

Process::Process(std::vector<std::string> argv, int inheritedFd) {
    std::vector<char*> arguments;
    for (std::string& argument : argv) {
        arguments.push_back(argument.data());
    }
    arguments.push_back(nullptr);
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ == 0) {
        execute(arguments.data(), inheritedFd, parent);
    }
    if (pid_ < 0) {
        throw std::runtime_error("cannot start " + argv[0]);
    }
}

Process::~Process() {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

}  // namespace zelanto::testing

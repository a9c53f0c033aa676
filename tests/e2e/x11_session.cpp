#include "tests/e2e/x11_session.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <vector>

#include "tests/e2e/child_process.h"

extern char** environ;

namespace zelanto::testing {
namespace {

pid_t spawn(std::vector<std::string> argv, const posix_spawn_file_actions_t* actions) {
    std::vector<char*> pointers;
    for (auto& argument : argv) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0].c_str(), actions, nullptr, pointers.data(), environ) != 0) {
        throw std::runtime_error("cannot start " + argv[0]);
    }
    return pid;
}

void stop(pid_t pid) {
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

// Starts Xvfb on a free display; it writes the number it took to `pipe`.
pid_t startServer(std::string& display) {
    int fds[2];
    if (pipe(fds) != 0) {
        throw std::runtime_error("pipe");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const pid_t pid = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                             "1280x1024x24", "-dpi", "96", "-nolisten", "tcp"},
                            &actions);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        stop(pid);
        throw std::runtime_error("Xvfb did not start");
    }
    display = ":" + number;
    return pid;
}

}  // namespace

X11Session::X11Session() {
    server_ = startServer(display_);
    setenv("DISPLAY", display_.c_str(), 1);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    windowManager_ = spawn({"openbox", "--sm-disable"}, &quiet);
    posix_spawn_file_actions_destroy(&quiet);
    // openbox owns the window manager selection once it is ready.
    if (!waitFor(
            [] {
                return !shellOutput("xprop -root _NET_SUPPORTING_WM_CHECK").empty() &&
                       shellOutput("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") !=
                           std::string::npos;
            },
            std::chrono::seconds(10))) {
        throw std::runtime_error("openbox did not start");
    }
}

X11Session::~X11Session() {
    stop(windowManager_);
    stop(server_);
}

}  // namespace zelanto::testing

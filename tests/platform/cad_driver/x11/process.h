#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace zelanto::testing {

// A program the test starts (found on PATH when the name has no slash), with its output discarded
// and, when `inheritedFd` is given, that descriptor left open for it. It is ended (SIGTERM) and
// waited for when the object goes, and also when the test process dies without cleaning up, so
// that no X server outlives a crashed test.
class Process {
public:
    explicit Process(std::vector<std::string> argv, int inheritedFd = -1);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

private:
    pid_t pid_ = -1;
};

}  // namespace zelanto::testing

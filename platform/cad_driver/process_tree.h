#pragma once

#include <sys/types.h>

#include <vector>

namespace zelanto::platform {

// `root` and every process descended from it that runs now, read from /proc: a program started
// through a shell script shows its window from a child of the process that was started.
std::vector<pid_t> processTree(pid_t root);

}  // namespace zelanto::platform

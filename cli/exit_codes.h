#pragma once

namespace zelanto::cli {

enum ExitCode : int {
    kSuccess = 0,
    kWriteFailure = 1,
    kReadFailure = 2,
    kNoPlottableData = 3,
    kNoParcels = 3,
    kUsage = 64,
};

}  // namespace zelanto::cli

#pragma once

#include <cstdint>

namespace zelanto::app {

// What a pause needs: a monotonic millisecond clock and a way to handle the window events that
// are pending or arrive within a given time.
class PauseClock {
public:
    virtual ~PauseClock() = default;
    virtual std::int64_t nowMs() = 0;
    // Handles pending window events, waiting at most `maxWaitMs` for one to arrive (without
    // keeping a core busy).
    virtual void processEvents(int maxWaitMs) = 0;
};

}  // namespace zelanto::app

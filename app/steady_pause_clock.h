#pragma once

#include "app/pause_clock.h"

namespace zelanto::app {

// The program's own pause clock: the monotonic system clock and the window events of the Qt
// application.
class SteadyPauseClock : public PauseClock {
public:
    std::int64_t nowMs() override;
    void processEvents(int maxWaitMs) override;
};

}  // namespace zelanto::app

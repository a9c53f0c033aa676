#include "platform/calc/call_runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <stdexcept>
#include <thread>

#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform::calc {
namespace {

using std::chrono::milliseconds;

TEST(CallRunner, RunsCallsOnItsOwnThreadAndPassesOnWhatTheyReturnOrThrow) {
    CallRunner runner;
    const auto caller = std::this_thread::get_id();
    EXPECT_NE(
        runner.run<std::thread::id>([] { return std::this_thread::get_id(); }, milliseconds(5000)),
        caller);
    EXPECT_EQ(runner.run<int>([] { return 42; }, milliseconds(5000)), 42);
    EXPECT_THROW(runner.run<void>([] { throw HostError("refused"); }, milliseconds(5000)),
                 HostError);
    EXPECT_FALSE(runner.broken());
}

TEST(CallRunner, ACallThatOutlastsItsTimeCutsTheConnectionAndBreaksTheRunner) {
    std::latch cut(1);
    std::atomic<int> cuts = 0;
    std::atomic<int> waits = 0;
    {
        CallRunner runner([&] { ++waits; });
        runner.setCut([&] {
            ++cuts;
            cut.count_down();
        });
        // Stuck until the cut, as a call over a bridge is until the bridge is disposed.
        EXPECT_THROW(runner.run<void>([&] { cut.wait(); }, milliseconds(200)), HostError);
        EXPECT_TRUE(runner.broken());
        EXPECT_THROW(runner.run<int>([] { return 1; }, milliseconds(5000)), HostError);
    }
    EXPECT_EQ(cuts, 1);
    // The window was served while it waited.
    EXPECT_GT(waits, 0);
}

TEST(CallRunner, AQuickCallKeepsTheCallerWaitingWithoutInterruption) {
    std::atomic<int> waits = 0;
    CallRunner runner([&] { ++waits; });
    for (int i = 0; i < 100; ++i) {
        runner.run<void>([] {}, milliseconds(5000));
    }
    EXPECT_EQ(waits, 0);
}

}  // namespace
}  // namespace zelanto::platform::calc

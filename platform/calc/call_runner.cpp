#include "platform/calc/call_runner.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform::calc {
namespace {

// A call that answers within this time keeps the caller waiting without interruption; after it,
// `whileWaiting` runs every slice.
constexpr std::chrono::milliseconds kQuietWait{30};
constexpr std::chrono::milliseconds kSlice{15};

}  // namespace

// Shared with the thread, which may outlive the runner while a cut call returns.
struct CallRunner::State {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::function<void()>> calls;
    bool stopping = false;
    bool broken = false;
    Hook cut;
    std::thread thread;

    void work() {
        std::unique_lock lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return stopping || !calls.empty(); });
            if (calls.empty()) {
                return;
            }
            auto call = std::move(calls.front());
            calls.pop_front();
            lock.unlock();
            call();
            lock.lock();
        }
    }
};

CallRunner::CallRunner(Hook whileWaiting)
    : state_(std::make_shared<State>()), whileWaiting_(std::move(whileWaiting)) {
    state_->thread = std::thread([state = state_] { state->work(); });
}

CallRunner::~CallRunner() {
    std::unique_lock lock(state_->mutex);
    state_->stopping = true;
    state_->calls.clear();
    const bool mayBeStuck = state_->broken;
    lock.unlock();
    state_->wake.notify_all();
    if (mayBeStuck) {
        // A cut call returns in its own time; the thread keeps the state alive until then.
        state_->thread.detach();
    } else {
        state_->thread.join();
    }
}

void CallRunner::setCut(Hook cut) {
    std::lock_guard lock(state_->mutex);
    state_->cut = std::move(cut);
}

bool CallRunner::broken() const {
    std::lock_guard lock(state_->mutex);
    return state_->broken;
}

void CallRunner::post(std::function<void()> call) {
    {
        std::lock_guard lock(state_->mutex);
        if (state_->broken) {
            throw HostError("LibreOffice stopped answering earlier; the connection is cut");
        }
        state_->calls.push_back(std::move(call));
    }
    state_->wake.notify_one();
}

void CallRunner::await(const std::function<bool(std::chrono::milliseconds)>& ready,
                       std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    auto slice = std::min(kQuietWait, limit);
    while (!ready(slice)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left <= std::chrono::milliseconds::zero()) {
            // The call may never return (LibreOffice froze). The runner is broken, so that no
            // call queues behind it, and the connection is cut, so that the stuck call returns on
            // its thread instead of holding it for good.
            Hook cut;
            {
                std::lock_guard lock(state_->mutex);
                state_->broken = true;
                cut = std::move(state_->cut);
            }
            if (cut) {
                cut();
            }
            throw HostError("LibreOffice did not answer within " + std::to_string(limit.count()) +
                            " ms");
        }
        // The caller's thread does its own work meanwhile: the window keeps painting.
        if (whileWaiting_) {
            whileWaiting_();
        }
        slice = std::min(kSlice, left);
    }
}

}  // namespace zelanto::platform::calc

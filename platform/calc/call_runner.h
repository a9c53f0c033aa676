#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <memory>

namespace zelanto::platform::calc {

// Runs the calls to LibreOffice one after the other on a thread of its own, and lets the
// caller wait for each at most a given time: a call over the pipe has no time-out of its own and
// blocks for as long as LibreOffice does not answer.
//
// A call that outlasts its time is a HostError. The runner is then broken: it cuts the
// connection (so that the stuck call returns on its thread too) and refuses every further call
// with a HostError at once.
class CallRunner {
public:
    using Hook = std::function<void()>;

    // `whileWaiting` runs on the caller's thread, now and then, while a call takes long.
    explicit CallRunner(Hook whileWaiting = {});
    ~CallRunner();
    CallRunner(const CallRunner&) = delete;
    CallRunner& operator=(const CallRunner&) = delete;

    // What breaking the runner runs, once, on the waiting thread. May be set from any thread,
    // a call of this runner included.
    void setCut(Hook cut);
    bool broken() const;

    // Runs `call` and returns what it returns or throws what it throws.
    template <typename Result>
    Result run(std::function<Result()> call, std::chrono::milliseconds limit) {
        auto task = std::make_shared<std::packaged_task<Result()>>(std::move(call));
        std::future<Result> result = task->get_future();
        post([task] { (*task)(); });
        await(
            [&result](std::chrono::milliseconds slice) {
                return result.wait_for(slice) == std::future_status::ready;
            },
            limit);
        return result.get();
    }

private:
    struct State;

    // Hands a call to the thread; a HostError when the runner is broken.
    void post(std::function<void()> call);
    // Waits until `ready` holds, calling it with slices of the remaining time; breaks the runner
    // and throws a HostError when `limit` has passed first.
    void await(const std::function<bool(std::chrono::milliseconds)>& ready,
               std::chrono::milliseconds limit);

    std::shared_ptr<State> state_;
    Hook whileWaiting_;
};

}  // namespace zelanto::platform::calc

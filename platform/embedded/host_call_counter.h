#pragma once

namespace zelanto::platform {

// Counts the operations made on one host and the objects it made, so that a test can have the
// n-th of them fail: that call throws a HostError and changes nothing; the calls before and
// after it work.
class HostCallCounter {
public:
    // Counts a call of `operation`; throws when it is the call told to fail.
    void count(const char* operation);
    // Calls are numbered from 1, from the making of the host on; 0 fails none.
    void failOnCall(int number) { failing_ = number; }
    int calls() const { return calls_; }

private:
    int calls_ = 0;
    int failing_ = 0;
};

}  // namespace zelanto::platform

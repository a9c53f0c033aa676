#include "platform/embedded/host_call_counter.h"

#include <string>

#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform {

void HostCallCounter::count(const char* operation) {
    ++calls_;
    if (calls_ == failing_) {
        throw HostError(std::string(operation) + " failed: host call " + std::to_string(calls_) +
                        " was set to fail");
    }
}

}  // namespace zelanto::platform

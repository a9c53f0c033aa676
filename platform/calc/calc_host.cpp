#include "platform/calc/calc_host.h"

#include <utility>

#include "platform/calc/calc_application.h"

namespace zelanto::platform::calc {

CalcHost::CalcHost(Connect connect) : connect_(std::move(connect)) {}

std::shared_ptr<SpreadsheetApplication> CalcHost::createApplication() {
    if (!office_ || !office_->connected()) {
        office_ = connect_();
    }
    return std::make_shared<CalcApplication>(office_);
}

}  // namespace zelanto::platform::calc

#pragma once

#include <memory>

#include "platform/calc/calc_office.h"
#include "platform/calc/office_process.h"
#include "platform/calc/uno_connection.h"

namespace zelanto::platform::calc {

// Our LibreOffice instance over a UNO connection.
class UnoOffice : public CalcOffice {
public:
    explicit UnoOffice(std::shared_ptr<UnoConnection> connection);

    std::shared_ptr<CalcDocument> newHiddenDocument() override;
    bool connected() const override { return connection_->connected(); }

private:
    std::shared_ptr<UnoConnection> connection_;
};

// Prepares our profile, starts our instance with it (a running one takes the new pipe), and
// connects. A HostError when LibreOffice does not start or accept in time.
std::shared_ptr<UnoOffice> connectToOffice(const OfficeSettings& settings);

}  // namespace zelanto::platform::calc

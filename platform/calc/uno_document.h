#pragma once

#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <memory>

#include "platform/calc/calc_office.h"
#include "platform/calc/uno_connection.h"

namespace zelanto::platform::calc {

// A Calc document of our instance over a UNO connection.
class UnoDocument : public CalcDocument {
public:
    UnoDocument(std::shared_ptr<UnoConnection> connection,
                css::uno::Reference<css::sheet::XSpreadsheetDocument> document);

    std::optional<int> sheetIndex(const std::string& name) override;
    std::shared_ptr<CalcSheet> sheetAt(int index) override;
    void setVisible(bool visible) override;
    std::string windowTitle() override;

private:
    std::shared_ptr<UnoConnection> connection_;
    Kept<css::sheet::XSpreadsheetDocument> document_;
};

}  // namespace zelanto::platform::calc

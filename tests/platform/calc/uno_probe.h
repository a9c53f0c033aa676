#pragma once

#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <memory>
#include <string>

#include "platform/calc/uno_connection.h"

namespace zelanto::testing {

// A second UNO connection to the tests' instance, as the user's own tools would open: it finds a
// document by its window title and looks at, or changes, what Calc holds.
class UnoProbe {
public:
    explicit UnoProbe(const platform::calc::OfficeSettings& settings);

    // The document whose window carries `title`; a HostError when there is none.
    css::uno::Reference<css::sheet::XSpreadsheetDocument> document(const std::string& title);
    css::uno::Reference<css::sheet::XSpreadsheet> sheet(const std::string& title,
                                                        const std::string& name);

    // Runs UNO calls over this connection; what fails in them is a HostError.
    template <typename Result>
    Result call(std::function<Result()> calls) {
        return connection_->call<Result>(std::move(calls));
    }

private:
    std::unique_ptr<platform::calc::UnoConnection> connection_;
};

}  // namespace zelanto::testing

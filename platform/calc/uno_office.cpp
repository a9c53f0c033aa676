#include "platform/calc/uno_office.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>

#include "base/atomic_file.h"
#include "platform/calc/office_process.h"
#include "platform/calc/uno_document.h"

namespace zelanto::platform::calc {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

UnoOffice::UnoOffice(std::shared_ptr<UnoConnection> connection)
    : connection_(std::move(connection)) {}

std::shared_ptr<CalcDocument> UnoOffice::newHiddenDocument() {
    auto document = connection_->call<Reference<css::sheet::XSpreadsheetDocument>>(
        [desktop = connection_->desktop()] {
            css::beans::PropertyValue hidden;
            hidden.Name = "Hidden";
            hidden.Value <<= true;
            const Reference<css::sheet::XSpreadsheetDocument> document(
                desktop->loadComponentFromURL("private:factory/scalc", "_blank", 0, {&hidden, 1}),
                UNO_QUERY_THROW);
            // Calc names its first sheet in the user's language.
            const Reference<css::container::XIndexAccess> sheets(document->getSheets(),
                                                                 UNO_QUERY_THROW);
            Reference<css::container::XNamed>(sheets->getByIndex(0), UNO_QUERY_THROW)
                ->setName("Sheet1");
            return document;
        },
        connection_->settings().documentLimit);
    return std::make_shared<UnoDocument>(connection_, std::move(document));
}

std::shared_ptr<UnoOffice> connectToOffice(const OfficeSettings& settings) {
    try {
        seedOfficeProfile(settings.profile);
    } catch (const base::FileError& error) {
        throw HostError(std::string("cannot prepare the LibreOffice profile: ") + error.what());
    }
    const std::string pipe = uniquePipeName();
    startOffice(settings, pipe);
    return std::make_shared<UnoOffice>(std::make_shared<UnoConnection>(settings, pipe));
}

}  // namespace zelanto::platform::calc

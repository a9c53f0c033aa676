#include "tests/platform/calc/uno_probe.h"

#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XTitle.hpp>

#include "platform/calc/office_process.h"

namespace zelanto::testing {

using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using platform::calc::fromUno;
using platform::calc::toUno;

UnoProbe::UnoProbe(const platform::calc::OfficeSettings& settings) {
    const std::string pipe = platform::calc::uniquePipeName();
    platform::calc::startOffice(settings, pipe);
    connection_ = std::make_unique<platform::calc::UnoConnection>(settings, pipe);
}

Reference<css::sheet::XSpreadsheetDocument> UnoProbe::document(const std::string& title) {
    return call<Reference<css::sheet::XSpreadsheetDocument>>(
        [desktop = connection_->desktop(), title] {
            const auto components = desktop->getComponents()->createEnumeration();
            while (components->hasMoreElements()) {
                const Reference<css::frame::XModel> model(components->nextElement(), UNO_QUERY);
                const auto controller = model.is() ? model->getCurrentController() : nullptr;
                if (!controller.is()) {
                    continue;
                }
                const Reference<css::frame::XTitle> frame(controller->getFrame(), UNO_QUERY_THROW);
                if (fromUno(frame->getTitle()) == title) {
                    return Reference<css::sheet::XSpreadsheetDocument>(model, UNO_QUERY_THROW);
                }
            }
            throw platform::HostError("no document titled " + title);
        });
}

Reference<css::sheet::XSpreadsheet> UnoProbe::sheet(const std::string& title,
                                                    const std::string& name) {
    return call<Reference<css::sheet::XSpreadsheet>>([document = document(title), name] {
        return Reference<css::sheet::XSpreadsheet>(document->getSheets()->getByName(toUno(name)),
                                                   UNO_QUERY_THROW);
    });
}

}  // namespace zelanto::testing

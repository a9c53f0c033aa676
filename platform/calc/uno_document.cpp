#include "platform/calc/uno_document.h"

#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>

#include "platform/calc/uno_sheet.h"

namespace zelanto::platform::calc {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

Reference<css::container::XIndexAccess> sheetsOf(
    const Reference<css::sheet::XSpreadsheetDocument>& document) {
    return {document->getSheets(), UNO_QUERY_THROW};
}

// The frame that shows the document; a closed document has none.
Reference<css::frame::XFrame> frameOf(const Reference<css::sheet::XSpreadsheetDocument>& document) {
    const Reference<css::frame::XController> controller =
        Reference<css::frame::XModel>(document, UNO_QUERY_THROW)->getCurrentController();
    if (!controller.is()) {
        throw HostError("the document has no window: it was closed");
    }
    return {controller->getFrame(), UNO_QUERY_THROW};
}

}  // namespace

UnoDocument::UnoDocument(std::shared_ptr<UnoConnection> connection,
                         Reference<css::sheet::XSpreadsheetDocument> document)
    : connection_(std::move(connection)), document_(connection_->keep(std::move(document))) {}

std::optional<int> UnoDocument::sheetIndex(const std::string& name) {
    return connection_->call<std::optional<int>>([document = held(document_), name] {
        const auto sheets = sheetsOf(document);
        for (sal_Int32 index = 0; index < sheets->getCount(); ++index) {
            const Reference<css::container::XNamed> sheet(sheets->getByIndex(index),
                                                          UNO_QUERY_THROW);
            if (fromUno(sheet->getName()) == name) {
                return std::optional<int>(index);
            }
        }
        return std::optional<int>();
    });
}

std::shared_ptr<CalcSheet> UnoDocument::sheetAt(int index) {
    auto sheet =
        connection_->call<Reference<css::sheet::XSpreadsheet>>([document = held(document_), index] {
            return Reference<css::sheet::XSpreadsheet>(sheetsOf(document)->getByIndex(index),
                                                       UNO_QUERY_THROW);
        });
    return std::make_shared<UnoSheet>(connection_, held(document_), std::move(sheet));
}

void UnoDocument::setVisible(bool visible) {
    connection_->call<void>([document = held(document_), visible] {
        const Reference<css::awt::XWindow> window(frameOf(document)->getContainerWindow(),
                                                  UNO_QUERY_THROW);
        window->setVisible(visible);
        if (visible) {
            Reference<css::awt::XTopWindow>(window, UNO_QUERY_THROW)->toFront();
        }
    });
}

std::string UnoDocument::windowTitle() {
    return connection_->call<std::string>([document = held(document_)] {
        return fromUno(
            Reference<css::frame::XTitle>(frameOf(document), UNO_QUERY_THROW)->getTitle());
    });
}

}  // namespace zelanto::platform::calc

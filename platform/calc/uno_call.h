#pragma once

#include <com/sun/star/uno/Exception.hpp>

#include "platform/calc/uno_values.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform::calc {

// Runs UNO calls and reports what fails in them, a document the user closed and a connection
// cut by the watchdog included, as a HostError.
template <typename Calls>
auto unoCall(Calls calls) -> decltype(calls()) {
    try {
        return calls();
    } catch (const css::uno::Exception& error) {
        throw HostError("LibreOffice: " + fromUno(error.Message));
    }
}

}  // namespace zelanto::platform::calc

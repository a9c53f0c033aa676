#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/calc/calc_sheet.h"

namespace zelanto::platform::calc {

// A Calc document of our LibreOffice instance. Every call either completes or throws a
// HostError; so does every call once the user has closed the document.
class CalcDocument {
public:
    virtual ~CalcDocument() = default;

    // The position of the sheet of that name among the document's sheets; nothing when there is
    // no such sheet.
    virtual std::optional<int> sheetIndex(const std::string& name) = 0;
    virtual std::shared_ptr<CalcSheet> sheetAt(int index) = 0;
    // Shows or hides the document's window; shown, it comes to the front.
    virtual void setVisible(bool visible) = 0;
    // The title of the document's window.
    virtual std::string windowTitle() = 0;
};

// Our LibreOffice instance, reached over one connection.
class CalcOffice {
public:
    virtual ~CalcOffice() = default;

    // A new hidden Calc document whose one sheet is named "Sheet1".
    virtual std::shared_ptr<CalcDocument> newHiddenDocument() = 0;
    // False once the connection is lost: a call went unanswered, or the instance has gone.
    virtual bool connected() const = 0;
};

}  // namespace zelanto::platform::calc

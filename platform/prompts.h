#pragma once

#include <string>

namespace zelanto::platform {

// What the program asks of the user: modal message boxes and the open-file dialog.
class Prompts {
public:
    virtual ~Prompts() = default;

    // An OK-only box without an icon.
    virtual void message(const std::string& text, const std::string& title) = 0;
    // Yes and No, Yes the default button, no icon. True for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& title) = 0;
    // The open-file dialog titled "SIMファイルを開く": `filter` holds description/pattern pairs,
    // each followed by a NUL. Returns the full path of an existing file, or the empty text.
    virtual std::string openFile(const std::string& filter) = 0;
};

}  // namespace zelanto::platform

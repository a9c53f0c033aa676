#include "app/sheet_opener.h"

#include <QApplication>

#include "app/form1_texts.h"
#include "app/qt_text.h"
#include "platform/qt/path_text.h"

namespace zelanto::app {

platform::Opener sheetOpener(platform::DesktopOpener& opener, platform::Prompts& prompts) {
    return [&opener, &prompts](const std::filesystem::path& file) {
        if (!opener.open(file)) {
            prompts.message(QApplication::activeWindow(),
                            text(texts::kSheetNotOpened) + "\r\n" + platform::textOf(file),
                            text(texts::kTitle));
        }
    };
}

}  // namespace zelanto::app

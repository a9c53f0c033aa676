#pragma once

#include "platform/embedded/embedded_host.h"
#include "platform/qt/desktop_opener.h"
#include "platform/qt/prompts.h"

namespace zelanto::app {

// How a shown workbook reaches the user: its .xlsx file is opened with the desktop's application
// for it; when there is none, or it fails to start, the user is told where the file is.
platform::Opener sheetOpener(platform::DesktopOpener& opener, platform::Prompts& prompts);

}  // namespace zelanto::app

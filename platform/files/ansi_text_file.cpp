#include "platform/files/ansi_text_file.h"

#include "platform/text/ansi_text.h"

namespace zelanto::platform {

void AnsiTextFile::writeLine(std::string_view utf8) {
    line_.clear();
    appendAnsi(line_, utf8);
    line_ += "\r\n";
    file_.write(line_);
}

}  // namespace zelanto::platform

#include "platform/files/ansi_text_file.h"

#include "platform/text/ansi_text.h"

namespace zelanto::platform {

void AnsiTextFile::writeLine(std::string_view utf8) {
    std::string line = toAnsi(utf8);
    line += "\r\n";
    file_.write(line);
}

}  // namespace zelanto::platform

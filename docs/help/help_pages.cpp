// Prepares the pages of the help file for chmcmd.
//
//   help_pages OUTPUT_FOLDER FILE...
//
// The pages are written in UTF-8 and name the program's own texts as {{name}} instead of
// repeating them, so that the help always shows exactly what the program shows. For every .html,
// .hhc, .hhk and .hhp file this fills in those texts, turns the declared charset UTF-8 into
// Shift_JIS and writes the file in code page 932: a Japanese help file is read in the code page of
// its language (0x411), its table of contents included. A character that code page 932 cannot hold
// becomes an HTML character reference. Any other file (pictures, the style sheet) is copied as it
// is. An unknown name, a character that cannot be written or a file that cannot be read or written
// stops the build.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/form1_texts.h"
#include "base/code_page_932.h"
#include "cad/plot.h"
#include "coords/coordinate_sheet.h"
#include "coords/sim_import.h"
#include "coords/sim_writer.h"
#include "settings/ini_store.h"

namespace {

namespace fs = std::filesystem;
namespace texts = zelanto::app::texts;

class HelpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string escapeHtml(std::string_view text) {
    std::string html;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '&') {
            html += "&amp;";
        } else if (c == '<') {
            html += "&lt;";
        } else if (c == '>') {
            html += "&gt;";
        } else if (c == '"') {
            html += "&quot;";
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            html += "<br>";
            ++i;
        } else {
            html += c;
        }
    }
    return html;
}

// 50000 as "50,000".
std::string grouped(int number) {
    std::string digits = std::to_string(number);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

// One row per scale: its text and the length that one metre on the ground gets in the drawing.
std::string scaleRows() {
    std::string rows;
    for (const auto& scale : zelanto::cad::kScales) {
        const int thousandths = (1000 * 1000 + scale.denominator / 2) / scale.denominator;
        std::string length = std::to_string(thousandths / 1000);
        if (thousandths % 1000 != 0) {
            std::string fraction = std::to_string(1000 + thousandths % 1000).substr(1);
            fraction.erase(fraction.find_last_not_of('0') + 1);
            length += "." + fraction;
        }
        rows += "<tr><td>" + escapeHtml(scale.text) + "</td><td>" + length + "</td></tr>\n";
    }
    return rows;
}

// Every name a page may use, with the HTML it stands for.
std::map<std::string, std::string, std::less<>> placeholders() {
    std::map<std::string, std::string, std::less<>> html;
#define ZELANTO_HELP_TEXT(name) html.emplace(#name, escapeHtml(texts::name))
    ZELANTO_HELP_TEXT(kTitle);
    ZELANTO_HELP_TEXT(kApplicationTitle);
    ZELANTO_HELP_TEXT(kCommand1Caption);
    ZELANTO_HELP_TEXT(kCommand2Caption);
    ZELANTO_HELP_TEXT(kCommand4Caption);
    ZELANTO_HELP_TEXT(kLaunchCaption);
    ZELANTO_HELP_TEXT(kPlotCaption);
    ZELANTO_HELP_TEXT(kExpandCaption);
    ZELANTO_HELP_TEXT(kCollapseCaption);
    ZELANTO_HELP_TEXT(kFrame1Caption);
    ZELANTO_HELP_TEXT(kHelpLink);
    ZELANTO_HELP_TEXT(kSettingDoneSuffix);
    ZELANTO_HELP_TEXT(kChooseSimFile);
    ZELANTO_HELP_TEXT(kSimFilterDescription);
    ZELANTO_HELP_TEXT(kCadFilterDescription);
    ZELANTO_HELP_TEXT(kCadProgramFilterDescription);
    ZELANTO_HELP_TEXT(kReadingSimData);
    ZELANTO_HELP_TEXT(kWritingToSheet);
    ZELANTO_HELP_TEXT(kStartingSpreadsheet);
    ZELANTO_HELP_TEXT(kPressLaunch);
    ZELANTO_HELP_TEXT(kCannotOpenSimFile);
    ZELANTO_HELP_TEXT(kCheckSimFile);
    ZELANTO_HELP_TEXT(kThreeFilesOnly);
    ZELANTO_HELP_TEXT(kOrOverFiftyThousand);
    ZELANTO_HELP_TEXT(kReadingData);
    ZELANTO_HELP_TEXT(kSheetFull);
    ZELANTO_HELP_TEXT(kReadingDone);
    ZELANTO_HELP_TEXT(kFinishQuestion);
    ZELANTO_HELP_TEXT(kRenumbering);
    ZELANTO_HELP_TEXT(kWriteStartTitle);
    ZELANTO_HELP_TEXT(kSavingSimData);
    ZELANTO_HELP_TEXT(kSavingDone);
    ZELANTO_HELP_TEXT(kSavedTo);
    ZELANTO_HELP_TEXT(kCheckLater);
    ZELANTO_HELP_TEXT(kWriteError);
    ZELANTO_HELP_TEXT(kChooseCadProgram);
    ZELANTO_HELP_TEXT(kCadPathAccepted);
    ZELANTO_HELP_TEXT(kPleaseWait);
    ZELANTO_HELP_TEXT(kPressPlot);
    ZELANTO_HELP_TEXT(kChooseScaleTitle);
    ZELANTO_HELP_TEXT(kNoCadPathYet);
    ZELANTO_HELP_TEXT(kPressLaunchAgain);
    ZELANTO_HELP_TEXT(kMakingScript);
    ZELANTO_HELP_TEXT(kRunningScript);
    ZELANTO_HELP_TEXT(kNoticeWait);
    ZELANTO_HELP_TEXT(kNoticeEnd);
    ZELANTO_HELP_TEXT(kNoticeThanks);
    ZELANTO_HELP_TEXT(kNoPlottableData);
    ZELANTO_HELP_TEXT(kErrorEnd);
    ZELANTO_HELP_TEXT(kCredit);
    ZELANTO_HELP_TEXT(kHelpTitle);
    ZELANTO_HELP_TEXT(kHelpMissing);
    ZELANTO_HELP_TEXT(kHelpNotOpened);
    ZELANTO_HELP_TEXT(kSheetNotOpened);
    ZELANTO_HELP_TEXT(kSheetNotCreated);
    ZELANTO_HELP_TEXT(kCadNotDriven);
    ZELANTO_HELP_TEXT(kDrawingNotOpened);
    ZELANTO_HELP_TEXT(kDrawingNotWritten);
    ZELANTO_HELP_TEXT(kFileNotImported);
    ZELANTO_HELP_TEXT(kLauncherWithoutProgram);
    ZELANTO_HELP_TEXT(kDrawingNotZoomed);
    ZELANTO_HELP_TEXT(kCoordinateNotANumber);
    ZELANTO_HELP_TEXT(kPlotFilesFolder);
    ZELANTO_HELP_TEXT(kRunningCopyBusy);
    ZELANTO_HELP_TEXT(kRunningCopySilent);
#undef ZELANTO_HELP_TEXT
    html.emplace("kSettingsFileName", escapeHtml(zelanto::settings::kSettingsFileName));
    html.emplace("kSettingsSection", escapeHtml(zelanto::settings::kSettingsSection));
    html.emplace("kCadPathKey", escapeHtml(zelanto::settings::kCadPathKey));
    html.emplace("kMergedSimFileName", escapeHtml(zelanto::coords::kMergedSimFileName));
    html.emplace("kPlotScriptFileName", escapeHtml(zelanto::cad::kPlotScriptFileName));
    html.emplace("kPlotDrawingFileName", escapeHtml(zelanto::cad::kPlotDrawingFileName));
    html.emplace("kDefaultScale", escapeHtml(zelanto::cad::kDefaultScale.text));
    html.emplace("kImportPointLimit", grouped(zelanto::coords::kImportPointLimit));
    html.emplace("kMergeFirstFilePointLimit", grouped(zelanto::coords::kMergeFirstFilePointLimit));
    html.emplace("kMergeLastRow", grouped(zelanto::coords::kMergeLastRow.number));
    html.emplace("mergePointLimit",
                 grouped(zelanto::coords::kMergeLastRow - zelanto::coords::kFirstPointRow + 1));
    html.emplace("kMergeFileLimit", std::to_string(zelanto::coords::kMergeFileLimit));
    html.emplace("plotPointLimit",
                 grouped(zelanto::cad::kPlotLastRow - zelanto::cad::kPlotFirstRow + 1));
    html.emplace("plotLastRow", grouped(zelanto::cad::kPlotLastRow.number));
    html.emplace("scaleRows", scaleRows());
    return html;
}

std::string fillIn(std::string_view page,
                   const std::map<std::string, std::string, std::less<>>& html) {
    std::string filled;
    std::size_t from = 0;
    for (std::size_t open; (open = page.find("{{", from)) != std::string_view::npos;) {
        const std::size_t close = page.find("}}", open);
        if (close == std::string_view::npos) {
            throw HelpError("\"{{\" without \"}}\"");
        }
        const std::string_view name = page.substr(open + 2, close - open - 2);
        const auto found = html.find(name);
        if (found == html.end()) {
            throw HelpError("unknown text {{" + std::string(name) + "}}");
        }
        filled.append(page.substr(from, open - from));
        filled += found->second;
        from = close + 2;
    }
    filled.append(page.substr(from));
    return filled;
}

std::string replaceAll(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::size_t utf8Length(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        return 4;
    }
    throw HelpError("not UTF-8");
}

std::uint32_t codePoint(std::string_view utf8) {
    static constexpr unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    std::uint32_t value = static_cast<unsigned char>(utf8[0]) & kLeadMask[utf8.size()];
    for (std::size_t i = 1; i < utf8.size(); ++i) {
        value = (value << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
    }
    return value;
}

// The text in code page 932, character by character, so that a character the code page lacks is
// found; where `references` is set (HTML) it becomes "&#xHHHH;", and so do "~" and "\".
std::string toCodePage932(std::string_view utf8, bool references) {
    std::string ansi;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length = utf8Length(static_cast<unsigned char>(utf8[at]));
        if (at + length > utf8.size()) {
            throw HelpError("not UTF-8");
        }
        const std::string_view character = utf8.substr(at, length);
        if (length == 1 && references && (character == "~" || character == "\\")) {
            // Shift_JIS viewers show these two bytes as an overline and a yen sign.
            ansi += character == "~" ? "&#x7E;" : "&#x5C;";
        } else if (length == 1) {
            ansi += character;
        } else if (const std::string converted = zelanto::base::toAnsi(character);
                   zelanto::base::fromAnsi(converted) == character) {
            ansi += converted;
        } else if (references) {
            char reference[16];
            std::snprintf(reference, sizeof reference, "&#x%X;", codePoint(character));
            ansi += reference;
        } else {
            throw HelpError("\"" + std::string(character) + "\" has no code in code page 932");
        }
        at += length;
    }
    return ansi;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw HelpError("cannot be read");
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    if (!out) {
        throw HelpError("cannot write " + path.string());
    }
}

std::string prepared(const fs::path& source,
                     const std::map<std::string, std::string, std::less<>>& html) {
    const std::string extension = source.extension().string();
    const std::string bytes = readFile(source);
    if (extension == ".hhp") {
        return toCodePage932(fillIn(bytes, html), false);
    }
    if (extension == ".html" || extension == ".hhc" || extension == ".hhk") {
        const std::string page =
            replaceAll(fillIn(bytes, html), "charset=UTF-8", "charset=Shift_JIS");
        return toCodePage932(page, true);
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: help_pages OUTPUT_FOLDER FILE...\n";
        return 64;
    }
    const fs::path output = argv[1];
    const auto html = placeholders();
    const std::vector<fs::path> sources(argv + 2, argv + argc);
    for (const auto& source : sources) {
        try {
            fs::create_directories(output);
            writeFile(output / source.filename(), prepared(source, html));
        } catch (const std::exception& error) {
            std::cerr << "help_pages: " << source.string() << ": " << error.what() << "\n";
            return 1;
        }
    }
    return 0;
}

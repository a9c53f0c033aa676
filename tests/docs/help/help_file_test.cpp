// The help file as the program finds it: zelanto.CHM in the folder of the executable.
#include <chm_lib.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "app/form1_texts.h"
#include "base/code_page_932.h"
#include "base/text.h"

namespace zelanto::help {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
namespace texts = app::texts;

const std::filesystem::path kHelpFile = ZELANTO_HELP_FILE;

const char* const kTopics[] = {"index.html",    "overview.html", "import.html",  "merge.html",
                               "cad_path.html", "files.html",    "messages.html"};

class ChmFile {
public:
    explicit ChmFile(const std::filesystem::path& path)
        : file_(chm_open(path.c_str()), &chm_close) {}

    bool opened() const { return file_ != nullptr; }

    bool has(const std::string& name) const {
        chmUnitInfo unit;
        return chm_resolve_object(file_.get(), ("/" + name).c_str(), &unit) == CHM_RESOLVE_SUCCESS;
    }

    // The bytes of one file inside; empty when it is missing.
    std::string bytes(const std::string& name) const {
        chmUnitInfo unit;
        if (chm_resolve_object(file_.get(), ("/" + name).c_str(), &unit) != CHM_RESOLVE_SUCCESS) {
            return {};
        }
        std::string content(static_cast<std::size_t>(unit.length), '\0');
        const auto read = chm_retrieve_object(file_.get(), &unit,
                                              reinterpret_cast<unsigned char*>(content.data()), 0,
                                              static_cast<LONGINT64>(unit.length));
        content.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
        return content;
    }

private:
    std::unique_ptr<chmFile, decltype(&chm_close)> file_;
};

// The page's text as a reader sees it: references and the four named entities resolved.
std::string resolveReferences(const std::string& html) {
    static const std::regex reference("&(#x[0-9A-Fa-f]+|#[0-9]+|amp|lt|gt|quot);");
    std::string text;
    auto from = html.cbegin();
    for (std::sregex_iterator it(html.begin(), html.end(), reference), end; it != end; ++it) {
        text.append(from, html.cbegin() + it->position());
        const std::string name = (*it)[1];
        if (name == "amp") {
            text += '&';
        } else if (name == "lt") {
            text += '<';
        } else if (name == "gt") {
            text += '>';
        } else if (name == "quot") {
            text += '"';
        } else if (name[1] == 'x') {
            base::appendUtf8(text, static_cast<char32_t>(std::stoul(name.substr(2), nullptr, 16)));
        } else {
            base::appendUtf8(text, static_cast<char32_t>(std::stoul(name.substr(1))));
        }
        from = html.cbegin() + it->position() + it->length();
    }
    text.append(from, html.cend());
    return text;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2) {
        parts.push_back(text.substr(from, at - from));
    }
    parts.push_back(text.substr(from));
    return parts;
}

class HelpFile : public ::testing::Test {
protected:
    // A page inside, from code page 932 to UTF-8.
    std::string page(const std::string& name) const { return base::fromAnsi(chm_.bytes(name)); }

    ChmFile chm_{kHelpFile};
};

TEST_F(HelpFile, LiesInTheProgramFolderUnderItsName) {
    EXPECT_TRUE(std::filesystem::is_regular_file(kHelpFile)) << kHelpFile;
    EXPECT_EQ(kHelpFile.filename(), "zelanto.CHM");
    ASSERT_TRUE(chm_.opened());
}

TEST_F(HelpFile, StartsWithTheItsfSignatureForJapanese) {
    std::ifstream in(kHelpFile, std::ios::binary);
    char header[0x18] = {};
    ASSERT_TRUE(in.read(header, sizeof header));
    EXPECT_EQ(std::string(header, 4), "ITSF");
    const auto u32 = [&](int at) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(header[at])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(header[at + 1])) << 8 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(header[at + 2])) << 16 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(header[at + 3])) << 24;
    };
    EXPECT_EQ(u32(4), 3u);          // version
    EXPECT_EQ(u32(0x14), 0x0411u);  // language: Japanese
}

TEST_F(HelpFile, HoldsEveryTopicAndListsItInTheContents) {
    const std::string contents = page("zelanto.hhc");
    EXPECT_THAT(contents, HasSubstr("charset=Shift_JIS"));
    EXPECT_THAT(contents, HasSubstr("<param name=\"Name\" value=\"概要\">"));
    EXPECT_THAT(contents, HasSubstr("<param name=\"Name\" value=\"" +
                                    std::string(texts::kCommand1Caption) + "\">"));
    for (const char* topic : kTopics) {
        EXPECT_TRUE(chm_.has(topic)) << topic;
        EXPECT_THAT(contents,
                    HasSubstr("<param name=\"Local\" value=\"" + std::string(topic) + "\">"))
            << topic;
    }
    EXPECT_TRUE(chm_.has("zelanto.hhk"));
}

TEST_F(HelpFile, NamesItsTitleContentsAndFirstPageInCodePage932) {
    const std::string system = chm_.bytes("#SYSTEM");
    EXPECT_THAT(system, HasSubstr(base::toAnsi(texts::kHelpTitle)));
    EXPECT_THAT(system, HasSubstr("zelanto.hhc"));
    EXPECT_THAT(system, HasSubstr("index.html"));
}

TEST_F(HelpFile, PagesAreShiftJisAndSaySo) {
    for (const char* topic : kTopics) {
        const std::string bytes = chm_.bytes(topic);
        const std::string text = base::fromAnsi(bytes);
        EXPECT_THAT(text, HasSubstr("<meta http-equiv=\"Content-Type\" content=\"text/html; "
                                    "charset=Shift_JIS\">"))
            << topic;
        EXPECT_THAT(text, Not(HasSubstr("\xEF\xBF\xBD"))) << topic;  // U+FFFD: not code page 932
        EXPECT_EQ(base::toAnsi(text), bytes) << topic;
        EXPECT_THAT(text, Not(HasSubstr("{{"))) << topic;
        // Shift_JIS viewers read these bytes as an overline and a yen sign.
        EXPECT_THAT(text, Not(HasSubstr("~"))) << topic;
        EXPECT_THAT(text, Not(HasSubstr("\\"))) << topic;
    }
}

TEST_F(HelpFile, EveryLinkLeadsToAFileAndAnchorInside) {
    static const std::regex link("(href|src)=\"([^\"#:]*)(#([^\"]*))?\"");
    int links = 0;
    for (const char* topic : kTopics) {
        const std::string html = page(topic);
        for (std::sregex_iterator it(html.begin(), html.end(), link), end; it != end; ++it) {
            const std::string target = (*it)[2].length() > 0 ? (*it)[2].str() : topic;
            EXPECT_TRUE(chm_.has(target)) << topic << " -> " << target;
            if ((*it)[4].matched) {
                EXPECT_THAT(page(target), HasSubstr("<a name=\"" + (*it)[4].str() + "\">"))
                    << topic << " -> " << (*it)[0];
            }
            ++links;
        }
    }
    EXPECT_GT(links, 20);
}

struct ShownText {
    const char* name;
    const char* text;
};

// clang-format off
#define ZELANTO_SHOWN(name) {#name, texts::name}
// clang-format on
// Every text the program shows in a message box, in the status line or as the window title.
const ShownText kShown[] = {
    ZELANTO_SHOWN(kCannotOpenSimFile),
    ZELANTO_SHOWN(kSheetNotCreated),
    ZELANTO_SHOWN(kSheetNotOpened),
    ZELANTO_SHOWN(kNoticeWait),
    ZELANTO_SHOWN(kNoticeEnd),
    ZELANTO_SHOWN(kNoticeThanks),
    ZELANTO_SHOWN(kCredit),
    ZELANTO_SHOWN(kNoPlottableData),
    ZELANTO_SHOWN(kErrorEnd),
    ZELANTO_SHOWN(kCoordinateNotANumber),
    ZELANTO_SHOWN(kCadNotDriven),
    ZELANTO_SHOWN(kDrawingNotOpened),
    ZELANTO_SHOWN(kDrawingNotWritten),
    ZELANTO_SHOWN(kFileNotImported),
    ZELANTO_SHOWN(kLauncherWithoutProgram),
    ZELANTO_SHOWN(kDrawingNotZoomed),
    ZELANTO_SHOWN(kPlotFilesFolder),
    ZELANTO_SHOWN(kRunningCopyBusy),
    ZELANTO_SHOWN(kRunningCopySilent),
    ZELANTO_SHOWN(kFinishQuestion),
    ZELANTO_SHOWN(kThreeFilesOnly),
    ZELANTO_SHOWN(kOrOverFiftyThousand),
    ZELANTO_SHOWN(kSheetFull),
    ZELANTO_SHOWN(kRenumbering),
    ZELANTO_SHOWN(kWriteStartTitle),
    ZELANTO_SHOWN(kSavedTo),
    ZELANTO_SHOWN(kCheckLater),
    ZELANTO_SHOWN(kWriteError),
    ZELANTO_SHOWN(kChooseCadProgram),
    ZELANTO_SHOWN(kCadPathAccepted),
    ZELANTO_SHOWN(kNoCadPathYet),
    ZELANTO_SHOWN(kPressLaunchAgain),
    ZELANTO_SHOWN(kHelpMissing),
    ZELANTO_SHOWN(kHelpNotOpened),
    ZELANTO_SHOWN(kTitle),
    ZELANTO_SHOWN(kApplicationTitle),
    ZELANTO_SHOWN(kChooseSimFile),
    ZELANTO_SHOWN(kReadingSimData),
    ZELANTO_SHOWN(kWritingToSheet),
    ZELANTO_SHOWN(kStartingSpreadsheet),
    ZELANTO_SHOWN(kPressLaunch),
    ZELANTO_SHOWN(kCheckSimFile),
    ZELANTO_SHOWN(kReadingData),
    ZELANTO_SHOWN(kReadingDone),
    ZELANTO_SHOWN(kSavingSimData),
    ZELANTO_SHOWN(kSavingDone),
    ZELANTO_SHOWN(kPleaseWait),
    ZELANTO_SHOWN(kPressPlot),
    ZELANTO_SHOWN(kChooseScaleTitle),
    ZELANTO_SHOWN(kMakingScript),
    ZELANTO_SHOWN(kRunningScript),
};
#undef ZELANTO_SHOWN

// The texts of the main window that are not messages: captions, dialog filters, the explanation.
const char* const kNotMessages[] = {
    "kCommand1Caption",
    "kCommand2Caption",
    "kCommand4Caption",
    "kLaunchCaption",
    "kPlotCaption",
    "kExpandCaption",
    "kCollapseCaption",
    "kFrame1Caption",
    "kHelpLink",
    "kSettingDoneSuffix",
    "kSimFilterDescription",
    "kCadFilterDescription",
    "kCadProgramFilterDescription",
    "kLabel2Lines",
    "kHelpTitle",
};

TEST_F(HelpFile, MessageListShowsEveryTextAsTheProgramShowsIt) {
    const std::string messages = resolveReferences(page("messages.html"));
    for (const auto& shown : kShown) {
        for (const std::string& line : lines(shown.text)) {
            EXPECT_THAT(messages, HasSubstr(line)) << shown.name;
        }
    }
}

TEST_F(HelpFile, KnowsEveryTextOfTheMainWindow) {
    // A text added to the window's texts is either a message, and then belongs in the message
    // list, or one of the others.
    std::ifstream in(ZELANTO_TEXTS_HEADER);
    const std::string header((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
    // Its own texts, and those it shares with zelanto-cli.
    static const std::regex declaration(
        R"((?:inline constexpr (?:char|const char\*) |using zelanto::texts::)(k\w+))");
    std::vector<std::string> known;
    for (const auto& shown : kShown) {
        known.emplace_back(shown.name);
    }
    known.insert(known.end(), std::begin(kNotMessages), std::end(kNotMessages));
    int declared = 0;
    for (std::sregex_iterator it(header.begin(), header.end(), declaration), end; it != end;
         ++it, ++declared) {
        EXPECT_THAT(known, ::testing::Contains((*it)[1].str()))
            << (*it)[1] << " is neither in the message list nor among the other texts";
    }
    EXPECT_EQ(declared, static_cast<int>(known.size()));
}

TEST_F(HelpFile, ShowsTheScalesOfTheScaleList) {
    const std::string import = page("import.html");
    EXPECT_THAT(import, HasSubstr("<tr><td>1/100</td><td>10</td></tr>"));
    EXPECT_THAT(import, HasSubstr("<tr><td>1/300</td><td>3.333</td></tr>"));
    EXPECT_THAT(import, HasSubstr("<tr><td>1/500</td><td>2</td></tr>"));
    EXPECT_THAT(import, HasSubstr("<tr><td>1/1000</td><td>1</td></tr>"));
    EXPECT_TRUE(chm_.has("sheet.png"));
}

}  // namespace
}  // namespace zelanto::help

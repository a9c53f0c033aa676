#include "settings/ini_line.h"

#include <gtest/gtest.h>

namespace zelanto::settings {
namespace {

using Kind = IniLine::Kind;

TEST(IniLine, RecognisesSectionsKeysAndCommentsAroundBlanksAndQuotes) {
    struct Case {
        std::string_view text;
        Kind kind;
        std::string_view name;
        std::string_view value;
    };
    const Case cases[] = {
        {" \t[ ZELANTO ] ignored", Kind::kSection, "ZELANTO", ""},
        {"[\x83\x5D\x81\x5B\x83\x93]", Kind::kSection, "\x83\x5D\x81\x5B\x83\x93",
         ""},  // ゾ: 83 5D
        {"  ROOT \t=  C:\\cad\\acad.exe \t", Kind::kKey, "ROOT", "C:\\cad\\acad.exe"},
        {"ROOT=\"  quoted  \" ", Kind::kKey, "ROOT", "  quoted  "},
        {"ROOT='single'", Kind::kKey, "ROOT", "single"},
        {"ROOT=\"mismatched'", Kind::kKey, "ROOT", "\"mismatched'"},
        {"ROOT=\"", Kind::kKey, "ROOT", "\""},
        {"ROOT=a=b", Kind::kKey, "ROOT", "a=b"},
        {"ROOT=", Kind::kKey, "ROOT", ""},
        {" ; ROOT=commented", Kind::kOther, "", ""},
        {"[unclosed", Kind::kOther, "", ""},
        {"no equals sign", Kind::kOther, "", ""},
        {" \t", Kind::kOther, "", ""},
    };
    for (const Case& c : cases) {
        const IniLine line = parseIniLine(c.text);
        EXPECT_EQ(line.kind, c.kind) << c.text;
        EXPECT_EQ(line.name, c.name) << c.text;
        EXPECT_EQ(line.value, c.value) << c.text;
    }
}

TEST(IniLine, FormattedKeyLineReadsBackItsValue) {
    for (const std::string_view value : {"", " lead", "trail\t", "  ", "\"quoted\"", "'q'", "\""}) {
        const std::string line = formatKeyLine("ROOT", value);
        EXPECT_EQ(parseIniLine(line).value, value) << line;
    }
    EXPECT_EQ(formatKeyLine("ROOT", "C:\\cad\\acad.exe"), "ROOT=C:\\cad\\acad.exe");
}

}  // namespace
}  // namespace zelanto::settings

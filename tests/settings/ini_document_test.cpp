#include <gtest/gtest.h>

#include "settings/ini_document.h"

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

TEST(IniDocument, NamesMatchWithoutAsciiCaseAndTheFirstMatchWins) {
    const IniDocument document(
        "ROOT=before any section\r\n"
        "[other]\r\nroot=other section\r\n"
        "[Zelanto]\nRoot=first\nROOT=second key\r"
        "[ZELANTO]\r\nROOT=second section\r\n"
        "[\x83\x41]\r\n\x83\x41=katakana a");  // ア, whose second byte is "A"
    EXPECT_EQ(document.value("ZELANTO", "root"), "first");
    EXPECT_EQ(document.value(" zelanto\t", " ROOT "), "first");
    EXPECT_EQ(document.value("\x83\x41", "\x83\x41"), "katakana a");
    EXPECT_EQ(document.value("\x83\x61", "\x83\x61"), std::nullopt);  // ヂ, second byte "a"
    EXPECT_EQ(document.value("ZELANTO", "other"), std::nullopt);
}

TEST(IniDocument, MissingKeyFollowsTheLastKeyOfItsSection) {
    IniDocument document(
        "[a]\r\nx=1\r\n; c\r\ny=2\r\n\r\n\r\n"
        "[b]\r\n; no keys\r\n"
        "[c]\nz=3");
    document.setValue("A", "ROOT", "1");
    document.setValue("b", "ROOT", "2");
    document.setValue("c", "ROOT", "3");
    EXPECT_EQ(document.bytes(),
              "[a]\r\nx=1\r\n; c\r\ny=2\r\nROOT=1\r\n\r\n\r\n"
              "[b]\r\nROOT=2\r\n; no keys\r\n"
              "[c]\nz=3\r\nROOT=3\r\n");
}

TEST(IniDocument, MissingSectionIsAppendedAfterALineEnd) {
    IniDocument document("[a]\rx=1");
    document.setValue("b", "ROOT", "v");
    EXPECT_EQ(document.bytes(), "[a]\rx=1\r\n[b]\r\nROOT=v\r\n");

    IniDocument empty("");
    empty.setValue(" b ", " ROOT ", "v");
    empty.setValue("b", "ROOT", "w");
    EXPECT_EQ(empty.bytes(), "[b]\r\nROOT=w\r\n");
}

}  // namespace

}  // namespace zelanto::settings

#include "cad/dxf_file.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "tests/temp_folder.h"

namespace zelanto::cad {
namespace {

std::string escapeOf(unsigned char byte) {
    std::string text;
    base::appendUtf8(text, base::byteEscape(byte));
    return text;
}

TEST(DxfText, CodePage932WhereACharacterHasAForm) {
    EXPECT_EQ(dxfText("A1"), "A1");
    EXPECT_EQ(dxfText("点名"), "\x93\x5f\x96\xbc");
    EXPECT_EQ(dxfText("ｱ-1"), "\xb1-1");
    EXPECT_EQ(dxfText("C:\\path"), "C:\\path");
}

TEST(DxfText, TheDxfEscapeForEveryOtherCharacter) {
    EXPECT_EQ(dxfText("点한"), "\x93\x5f\\U+D55C");
    // A byte that was no text goes as its escape's code point, as the sheet shows it.
    EXPECT_EQ(dxfText("A" + escapeOf(0x80) + escapeOf(0xFD)), "A\\U+EF80\\U+EFFD");
    // A text that would read as an escape keeps its backslash.
    EXPECT_EQ(dxfText("\\U+0041点"), "\\U+005CU+0041\x93\x5f");
}

TEST(DxfText, WhatNoEscapeCanNameBecomesAQuestionMark) {
    EXPECT_EQ(dxfText("\xF0\x9F\x98\x80!"), "?!");
    EXPECT_EQ(dxfText("\xFF点"), "?\x93\x5f");
}

// The dimension style names the drawing's text style by its handle: the same drawing is the same
// file every time, and the style named is one the file has.
TEST(DxfFile, TheSameDrawingIsTheSameFileAndItsDimensionStyleNamesItsTextStyle) {
    const testing::TempFolder folder;
    const Drawing drawing{{{"A", 5}}, {PointEntity{"A", 5, {1, 2}}}};
    writeDxfFile(drawing, folder / "a.dxf");
    writeDxfFile(drawing, folder / "b.dxf");
    const std::string bytes = testing::readBytes(folder / "a.dxf");
    EXPECT_EQ(bytes, testing::readBytes(folder / "b.dxf"));
    const auto named = bytes.find("\n340\n", bytes.find("\nDIMSTYLE\n"));
    ASSERT_NE(named, std::string::npos);
    const std::string handle = bytes.substr(named + 5, bytes.find('\n', named + 5) - named - 5);
    EXPECT_NE(bytes.find("\nSTYLE\n  5\n" + handle + "\n"), std::string::npos) << handle;
}

}  // namespace
}  // namespace zelanto::cad

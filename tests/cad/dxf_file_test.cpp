#include "cad/dxf_file.h"

#include <gtest/gtest.h>

#include "base/text.h"

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

}  // namespace
}  // namespace zelanto::cad

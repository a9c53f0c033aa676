#include "platform/ansi_text.h"

#include <gtest/gtest.h>

namespace zelanto::platform {
namespace {

TEST(AnsiText, JapaneseRoundTripsThroughCodePage932) {
    const std::string utf8 = "点名 プロット ＭＳ ゴシック　①～";
    const std::string ansi = toAnsi(utf8);
    EXPECT_EQ(ansi.substr(0, 4), "\x93\x5F\x96\xBC");
    EXPECT_EQ(fromAnsi(ansi), utf8);
}

TEST(AnsiText, AsciiIsUnchangedBackslashAndTildeIncluded) {
    EXPECT_EQ(toAnsi("C:\\cad\\acad.exe ~+^%"), "C:\\cad\\acad.exe ~+^%");
    EXPECT_EQ(fromAnsi("\\~"), "\\~");
}

TEST(AnsiText, UnrepresentableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(toAnsi("a\xF0\x9F\x98\x80"
                     "b"),
              "a?b");  // an emoji
    EXPECT_EQ(toAnsi("a\xC3\xA9"
                     "b"),
              "a?b");  // é
    EXPECT_EQ(toAnsi("a\xFF"
                     "b"),
              "a?b");  // not UTF-8 at all
}

TEST(AnsiText, InvalidCodePage932BecomesReplacementCharacter) {
    EXPECT_EQ(fromAnsi("a\x81"
                       "\x20"
                       "b"),
              "a\xEF\xBF\xBD b");
    EXPECT_EQ(fromAnsi("ab\x82"), "ab\xEF\xBF\xBD");  // a lead byte cut off at the end
    EXPECT_EQ(fromAnsi(std::string("a\0b", 3)), std::string("a\0b", 3));
}

}  // namespace
}  // namespace zelanto::platform

#include <gtest/gtest.h>
#include <random>
#include <string>

#include "base/code_page_932.h"
#include "base/text.h"

namespace zelanto::base {
namespace {

TEST(AnsiText, JapaneseRoundTripsThroughCodePage932) {
    const std::string utf8 = "点名 プロット ＭＳ ゴシック　①～ｶﾀｶﾅ";
    const std::string ansi = toAnsi(utf8);
    EXPECT_EQ(ansi.substr(0, 4), "\x93\x5F\x96\xBC");
    EXPECT_EQ(fromAnsi(ansi), utf8);
}

TEST(AnsiText, AsciiIsUnchangedBackslashAndTildeIncluded) {
    EXPECT_EQ(toAnsi("C:\\cad\\acad.exe ~+^%"), "C:\\cad\\acad.exe ~+^%");
    EXPECT_EQ(fromAnsi("\\~"), "\\~");
    EXPECT_EQ(fromAnsi(std::string("a\0b", 3)), std::string("a\0b", 3));
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

// A name from a file edited in another code page, or typed on an instrument, must come back as
// it was read.
TEST(AnsiText, BytesThatAreNoCodePage932TextSurviveAsVisibleEscapes) {
    const std::string name = "\x81\x20\xFD\xA0K";
    const std::string text = fromAnsi(name);
    EXPECT_EQ(text, "\xEE\xBE\x81 \xEE\xBF\xBD\xEE\xBE\xA0K");  // U+EF81, blank, U+EFFD, U+EFA0, K
    EXPECT_EQ(toAnsi(text), name);
    EXPECT_EQ(toAnsi(fromAnsi("ab\x82")), "ab\x82");  // a lead byte cut off at the end
}

TEST(AnsiText, DuplicatesOfOtherCharactersKeepTheirOwnBytes) {
    // NEC's ≒ and the NEC-selected IBM 纊 read as characters that code page 932 writes as 81 E0
    // and FA 5C: read as such they would come back as other bytes.
    for (const std::string bytes : {"\x87\x90", "\xED\x40", "\xEE\xF9"}) {
        EXPECT_EQ(toAnsi(fromAnsi(bytes)), bytes);
    }
    EXPECT_EQ(fromAnsi("\x81\xE0\xFA\x5C"), "≒纊");
}

TEST(AnsiText, EveryByteStringComesBackByteForByte) {
    std::mt19937 random(932);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 12 + 1, '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>(random() % 2 == 0 ? 0x80 + random() % 0x80 : random() % 0x100);
        }
        ASSERT_EQ(toAnsi(fromAnsi(bytes)), bytes);
    }
}

TEST(AnsiText, FirstCharacterWithoutACodePage932Form) {
    EXPECT_EQ(firstWithoutAnsiForm("点名 ABC ①～〜−"), std::nullopt);
    EXPECT_EQ(firstWithoutAnsiForm("吉\xF0\xA0\xAE\xB7野"), "\xF0\xA0\xAE\xB7");
    EXPECT_EQ(firstWithoutAnsiForm("a한b"), "한");
    EXPECT_EQ(firstWithoutAnsiForm("a\xEE\xBF\xBD"), "\xEE\xBF\xBD");  // a byte escape
    EXPECT_EQ(firstWithoutAnsiForm("a\xFF"), "\xFF");
}

TEST(Utf8Text, StrayBytesBecomeEscapesAndWellFormedTextStays) {
    EXPECT_EQ(fromUtf8Bytes("点名 ＡＢ 𠮷"), "点名 ＡＢ 𠮷");
    EXPECT_EQ(fromUtf8Bytes("a\xFF"
                            "b"),
              "a\xEE\xBF\xBF"
              "b");
    EXPECT_EQ(fromUtf8Bytes("\xC0\xAF"), "\xEE\xBF\x80\xEE\xBE\xAF");  // overlong "/"
    EXPECT_EQ(fromUtf8Bytes("\xED\xA0\x80"),
              "\xEE\xBF\xAD\xEE\xBE\xA0\xEE\xBE\x80");                     // a surrogate
    EXPECT_EQ(fromUtf8Bytes("点\xE5\x90"), "点\xEE\xBF\xA5\xEE\xBE\x90");  // cut short
    EXPECT_EQ(toAnsi(fromUtf8Bytes("a\xFF")), "a\xFF");
}

// A second byte may be any of 0x40-0xFC: "]" (0x5D) after a lead byte is half of a character,
// not a bracket; after any other byte it is one.
TEST(Cp932Characters, ALeadByteTakesTheNextByteWithItAnyOtherStandsAlone) {
    struct Case {
        unsigned char first;
        bool lead;
    };
    for (const Case& c :
         {Case{0x81, true}, Case{0x9F, true}, Case{0xE0, true}, Case{0xEF, true}, Case{0xF0, true},
          Case{0xF9, true}, Case{0xFA, true}, Case{0xFC, true}, Case{0x80, false},
          Case{0xA0, false}, Case{0xDF, false}, Case{0xFD, false}, Case{'a', false}}) {
        const std::string text = std::string(1, static_cast<char>(c.first)) + "]]";
        EXPECT_EQ(findCharacter(text, ']'), c.lead ? 2u : 1u) << int{c.first};
        EXPECT_EQ(cutToBytes(text, 1).size(), c.lead ? 0u : 1u) << int{c.first};
        EXPECT_EQ(cutToBytes(text, 2).size(), 2u) << int{c.first};
    }
}

TEST(Cp932Characters, ALeadByteAtTheEndStandsAlone) {
    EXPECT_EQ(findCharacter("a\x81", '\x81'), 1u);
    EXPECT_EQ(cutToBytes("a\xFC", 2), "a\xFC");
    EXPECT_EQ(findCharacter("\x81", ']'), std::string_view::npos);
}

}  // namespace

}  // namespace zelanto::base

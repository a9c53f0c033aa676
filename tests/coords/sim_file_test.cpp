#include "coords/sim_file.h"

#include <gtest/gtest.h>

#include <string>

namespace zelanto::coords {
namespace {

struct Detected {
    SimEncoding encoding;
    long textStart;
};

Detected detect(const std::string& bytes) {
    std::FILE* file = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    SimEncoding encoding = SimEncoding::Cp932;
    EXPECT_TRUE(detectSimEncoding(file, encoding));
    const long start = std::ftell(file);
    std::fclose(file);
    return {encoding, start};
}

TEST(SimEncoding, Utf8TextOrAByteOrderMarkReadsAsUtf8EverythingElseAsCodePage932) {
    EXPECT_EQ(detect("A01,1,点名,1,2,3,\r\n").encoding, SimEncoding::Utf8);
    EXPECT_EQ(detect("\xEF\xBB\xBF"
                     "A01,1,P,1,2,3,\r\n")
                  .encoding,
              SimEncoding::Utf8WithByteOrderMark);
    EXPECT_EQ(detect("\xEF\xBB\xBF"
                     "A01,\x93\x5F,\r\n")
                  .encoding,
              SimEncoding::Utf8WithByteOrderMark);  // the mark decides, whatever follows
    EXPECT_EQ(detect("A01,1,P,1,2,3,\r\n").encoding, SimEncoding::Cp932);  // ASCII alone
    EXPECT_EQ(detect("A01,1,\x93\x5F\x96\xBC,1,2,3,\r\n").encoding, SimEncoding::Cp932);
    EXPECT_EQ(detect("").encoding, SimEncoding::Cp932);
    // UTF-8 up to a last character cut short, or to one stray byte, is no UTF-8 file.
    EXPECT_EQ(detect("点名\xE5\x90").encoding, SimEncoding::Cp932);
    EXPECT_EQ(detect("点名\xFF点").encoding, SimEncoding::Cp932);
    EXPECT_EQ(detect("\xC0\xAF").encoding, SimEncoding::Cp932);  // an overlong "/"
}

// Instruments that cannot show kanji write names in half-width katakana, whose byte pairs may
// happen to be two-byte UTF-8: "ﾎｼ" is CE BC ("μ"), "ﾅｶ" C5 B6 ("Ŷ").
TEST(SimEncoding, TwoByteSequencesAloneReadAsCodePage932WhereTheyAreSuchText) {
    EXPECT_EQ(detect("A01,1,\xCE\xBC,1,2,3,\r\nA01,2,\xC5\xB6,4,5,6,\r\n").encoding,
              SimEncoding::Cp932);
    EXPECT_EQ(detect("A01,1,\xCE\xBC,1,2,3,\r\nA01,2,点,4,5,6,\r\n").encoding, SimEncoding::Utf8);
    EXPECT_EQ(detect("A01,1,\xF0\x9F\x98\x80,1,2,3,\r\n").encoding, SimEncoding::Utf8);
    // C4 80 ("Ā") is no code page 932 text: 80 is not a character there.
    EXPECT_EQ(detect("A01,1,\xC4\x80,1,2,3,\r\n").encoding, SimEncoding::Utf8);
    // C2 81 C8 A1 reads as "ﾂ∧｡", whose double-byte character begins at the chunk's last byte.
    EXPECT_EQ(detect(std::string(65534, 'a') + "\xC2\x81\xC8\xA1").encoding, SimEncoding::Cp932);
    EXPECT_EQ(detect(std::string(65534, 'a') + "\xC2\x81").encoding, SimEncoding::Utf8);
}

TEST(SimEncoding, TheTextStartsAfterTheByteOrderMark) {
    EXPECT_EQ(detect("\xEF\xBB\xBF"
                     "A01,")
                  .textStart,
              3);
    EXPECT_EQ(detect("A01,点").textStart, 0);
    EXPECT_EQ(detect("A01,\xCE\xBC").textStart, 0);
    EXPECT_EQ(detect("A01,\x93\x5F").textStart, 0);
}

TEST(SimEncoding, ACharacterAcrossTheReadingChunksIsStillOne) {
    for (const std::size_t before : {65535u, 65534u, 65536u, 2 * 65536u - 1}) {
        EXPECT_EQ(detect(std::string(before, 'a') + "点名").encoding, SimEncoding::Utf8) << before;
    }
    EXPECT_EQ(detect(std::string(65535, 'a') + "\xE7\x82" + "a").encoding, SimEncoding::Cp932);
}

}  // namespace
}  // namespace zelanto::coords

#include "platform/text/cp932_characters.h"

#include <gtest/gtest.h>

#include <string>

namespace zelanto::platform {
namespace {

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
}  // namespace zelanto::platform

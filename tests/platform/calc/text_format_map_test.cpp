#include "platform/calc/text_format_map.h"

#include <gtest/gtest.h>

namespace zelanto::platform::calc {
namespace {

TEST(TextFormatMap, TheFormatSetLastOnACellCounts) {
    TextFormatMap formats;
    EXPECT_FALSE(formats.isText(3, 1));
    formats.set("A:B"_range, "@");
    formats.set("C:D"_range, "0.00");
    EXPECT_TRUE(formats.isText(1048576, 2));
    EXPECT_FALSE(formats.isText(3, 3));

    formats.set("B3:C3"_range, "0.000_ ");
    formats.set("2:2"_range, "@");
    EXPECT_FALSE(formats.isText(3, 2));
    EXPECT_TRUE(formats.isText(4, 2));
    EXPECT_TRUE(formats.isText(2, 3));
    EXPECT_TRUE(formats.isText(2, 16384));
    formats.set("A:E"_range, "General");
    EXPECT_FALSE(formats.isText(2, 1));
    EXPECT_TRUE(formats.isText(2, 6));
}

}  // namespace
}  // namespace zelanto::platform::calc

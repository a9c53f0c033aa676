#include "coords/dms_angle.h"

#include <gtest/gtest.h>

namespace zelanto::coords {
namespace {

std::string shown(std::string_view written) {
    const auto angle = dmsAngleFromText(written);
    return angle ? dmsText(*angle) : "(none)";
}

TEST(DmsAngle, BearingsShowAsTheFileWritesThem) {
    EXPECT_EQ(shown("340.5218"), "340°52′18″");
    EXPECT_EQ(shown("  5.0307 "), "5°03′07″");
    EXPECT_EQ(shown("340.52185"), "340°52′18.5″");
    EXPECT_EQ(shown("12.345600"), "12°34′56.00″");
    // Fewer places are the leading digits of minutes and seconds.
    EXPECT_EQ(shown("90.3"), "90°30′00″");
    EXPECT_EQ(shown("090"), "90°00′00″");
    EXPECT_EQ(dmsAngleFromText("340.5218")->degrees(), 340 + 52 / 60.0 + 18 / 3600.0);
    for (const char* wrong : {"", "-1.0000", "+1.0000", "1.6000", "1.0060", "1e2", "1000.0000",
                              ".5218", "340.52a8", "1.00000000000001"}) {
        EXPECT_FALSE(dmsAngleFromText(wrong)) << wrong;
    }
}

TEST(DmsAngle, RoundingIsHalfTheLastPlaceWritten) {
    EXPECT_DOUBLE_EQ(dmsRounding("340.5218") * 3600, 0.5);
    EXPECT_DOUBLE_EQ(dmsRounding("340.52185") * 3600, 0.05);
    EXPECT_DOUBLE_EQ(dmsRounding("340.521") * 3600, 5);
    EXPECT_DOUBLE_EQ(dmsRounding("340.52") * 3600, 30);
    EXPECT_DOUBLE_EQ(dmsRounding("340.5") * 3600, 300);
    EXPECT_DOUBLE_EQ(dmsRounding("340"), 0.5);
}

TEST(DmsAngle, DegreesRoundToTheUnitAndGoRoundAt360) {
    EXPECT_EQ(dmsText(dmsAngleOfDegrees(340 + 52 / 60.0 + 18.4 / 3600, 0)), "340°52′18″");
    EXPECT_EQ(dmsText(dmsAngleOfDegrees(340 + 52 / 60.0 + 18.46 / 3600, 1)), "340°52′18.5″");
    EXPECT_EQ(dmsText(dmsAngleOfDegrees(59.6 / 3600, 0)), "0°01′00″");
    EXPECT_EQ(dmsText(dmsAngleOfDegrees(360 - 0.3 / 3600, 0)), "0°00′00″");
}

}  // namespace
}  // namespace zelanto::coords

#include "cad/drawing.h"

#include <gtest/gtest.h>

namespace zelanto::cad {
namespace {

TEST(DrawingExtents, NothingForAnEmptyDrawing) {
    EXPECT_FALSE(extentsOf(Drawing{}));
}

TEST(DrawingExtents, HoldCirclesWholeAndTextsAsWideAsTheirCharacters) {
    Drawing drawing;
    drawing.entities.emplace_back(PointEntity{"p", 5, {10, 20}});
    drawing.entities.emplace_back(CircleEntity{"p", 5, {10, 20}, 0.75});
    // Three characters, two of them of three bytes each.
    drawing.entities.emplace_back(TextEntity{"n", 7, {-5, 30}, 1.5, "点名1"});
    const auto extents = extentsOf(drawing);
    ASSERT_TRUE(extents);
    EXPECT_DOUBLE_EQ(extents->min.x, -5);
    EXPECT_DOUBLE_EQ(extents->min.y, 19.25);
    EXPECT_DOUBLE_EQ(extents->max.x, 10.75);
    EXPECT_DOUBLE_EQ(extents->max.y, 31.5);
}

}  // namespace
}  // namespace zelanto::cad

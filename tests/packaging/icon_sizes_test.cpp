#include "packaging/icon_sizes.h"

#include <gtest/gtest.h>

namespace zelanto::packaging {
namespace {

const QImage& windowIcon() {
    static const QImage icon = QImage(ZELANTO_WINDOW_ICON).convertToFormat(QImage::Format_ARGB32);
    return icon;
}

TEST(IconSizes, OwnSizeIsTheWindowIconItself) {
    ASSERT_EQ(windowIcon().size(), QSize(32, 32));
    EXPECT_EQ(iconAtSize(windowIcon(), 32), windowIcon());
}

TEST(IconSizes, WholeMultiplesKeepEveryPixelSharp) {
    for (const int factor : {2, 4, 8}) {
        const QImage big = iconAtSize(windowIcon(), 32 * factor);
        ASSERT_EQ(big.size(), QSize(32 * factor, 32 * factor));
        for (int y = 0; y < big.height(); ++y) {
            for (int x = 0; x < big.width(); ++x) {
                ASSERT_EQ(big.pixel(x, y), windowIcon().pixel(x / factor, y / factor))
                    << factor << "x at " << x << "," << y;
            }
        }
    }
}

TEST(IconSizes, OtherSizesKeepTheSeeThroughEdgeAndTheRedCentre) {
    for (const int size : {16, 22, 24, 48}) {
        const QImage icon = iconAtSize(windowIcon(), size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        // The transparent edge is blended with the border, never filled.
        EXPECT_LT(qAlpha(icon.pixel(0, 0)), 128) << size;
        const QRgb centre = icon.pixel(size / 2, size / 2);
        EXPECT_GT(qRed(centre), 120) << size;
        EXPECT_LT(qGreen(centre), 80) << size;
    }
}

}  // namespace
}  // namespace zelanto::packaging

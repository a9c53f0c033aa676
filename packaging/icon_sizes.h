#pragma once

#include <QImage>

namespace zelanto::packaging {

// The program's pixel icon at `size`: its pixels enlarged whole to the next multiple of its own
// size that reaches `size` (so that its edges stay sharp), then scaled smoothly down to `size`.
QImage iconAtSize(const QImage& icon, int size);

}  // namespace zelanto::packaging

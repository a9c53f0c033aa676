#include "packaging/icon_sizes.h"

namespace zelanto::packaging {

QImage iconAtSize(const QImage& icon, int size) {
    const int own = icon.width();
    const int whole = ((size + own - 1) / own) * own;
    const QImage enlarged =
        icon.convertToFormat(QImage::Format_ARGB32)
            .scaled(whole, whole, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (whole == size) {
        return enlarged;
    }
    return enlarged.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace zelanto::packaging

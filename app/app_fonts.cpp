#include "app/app_fonts.h"

#include <QFont>
#include <QStringList>

namespace zelanto::app {

void installFontSubstitutes() {
    // Proportional and fixed-pitch Japanese fonts, best first.
    const QStringList proportional = {QStringLiteral("IPAPGothic"),
                                      QStringLiteral("Noto Sans CJK JP")};
    const QStringList fixedPitch = {QStringLiteral("IPAGothic"),
                                    QStringLiteral("Noto Sans Mono CJK JP")};
    QFont::insertSubstitutions(QStringLiteral("MS UI Gothic"), proportional);
    QFont::insertSubstitutions(QString::fromUtf8("ＭＳ ゴシック"), fixedPitch);
    QFont::insertSubstitutions(QString::fromUtf8("ＭＳ Ｐゴシック"), proportional);
}

}  // namespace zelanto::app

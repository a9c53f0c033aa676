// Writes the program's icon in the sizes of the icon theme that are asked for:
// render_icons ICON.png FOLDER SIZE... puts FOLDER/<size>x<size>/apps/zelanto.png for each.
#include <QDir>
#include <QImage>
#include <QString>
#include <cstdio>

#include "packaging/icon_sizes.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: render_icons ICON.png FOLDER SIZE...\n");
        return 64;
    }
    const QImage icon(QString::fromLocal8Bit(argv[1]));
    if (icon.isNull()) {
        std::fprintf(stderr, "render_icons: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        const QString folder =
            QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        if (size <= 0 || !QDir().mkpath(folder) ||
            !zelanto::packaging::iconAtSize(icon, size).save(folder + "/zelanto.png", "PNG")) {
            std::fprintf(stderr, "render_icons: cannot write the icon of size %s\n", argv[i]);
            return 1;
        }
    }
    return 0;
}

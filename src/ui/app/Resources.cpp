#include "ui/app/Resources.h"

#include <QByteArray>
#include <QImage>
#include <QResource>
#include <QString>
#include <cstring>

// The pictures live in a static library; registering them by hand keeps the
// linker from dropping them.
static void RegisterPictures() {
    Q_INIT_RESOURCE(vexa);
}

namespace vexa::ui {

namespace {

void EnsurePictures() {
    static const bool registered = [] {
        RegisterPictures();
        return true;
    }();
    (void)registered;
}

// An embedded picture of `width` x `height` raw 8-bit RGBA pixels, written
// by make_pngs.sh from its PNG file. Raw pixels need no decoder, so showing
// them loads none of Qt's image format plugins. Null when the size is wrong.
QPixmap RawPicture(const QString& path, int width, int height) {
    EnsurePictures();
    const QByteArray pixels = QResource(path).uncompressedData();
    const qsizetype rowBytes = qsizetype(width) * 4;
    if (pixels.size() != rowBytes * height)
        return {};
    QImage image(width, height, QImage::Format_RGBA8888);
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), pixels.constData() + rowBytes * y,
                    static_cast<std::size_t>(rowBytes));
    return QPixmap::fromImage(image);
}

} // namespace

QIcon ProgramIcon() {
    // The sizes a window's caption and task bar use. Every size is handed to
    // the window system with every window, so the large pictures are left to
    // the installed icon theme.
    QIcon icon;
    for (const int size : {16, 32, 48})
        icon.addPixmap(RawPicture(QStringLiteral(":/vexa/icon%1.rgba").arg(size), size, size));
    return icon;
}

QPixmap LogoPicture() {
    return RawPicture(QStringLiteral(":/vexa/logo.rgba"), 200, 64);
}

} // namespace vexa::ui

#include "ui/app/Resources.h"

#include <QString>

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

} // namespace

QIcon ProgramIcon() {
    EnsurePictures();
    // The sizes a window's caption and task bar use. Every size is decoded
    // at once and handed to the window system with every window, so the
    // large pictures are left to the installed icon theme.
    QIcon icon;
    for (const int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/vexa/icon%1.png").arg(size), QSize(size, size));
    return icon;
}

QPixmap LogoPicture() {
    EnsurePictures();
    return QPixmap(QStringLiteral(":/vexa/logo.png"));
}

} // namespace vexa::ui

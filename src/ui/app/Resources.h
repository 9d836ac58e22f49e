#pragma once

#include <QIcon>
#include <QPixmap>

namespace vexa::ui {

// The program icon in all its sizes and the logo picture, from the pictures
// embedded in the program.
QIcon ProgramIcon();
QPixmap LogoPicture();

} // namespace vexa::ui

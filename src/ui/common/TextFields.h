#pragma once

#include <QString>
#include <cstddef>
#include <string>

class QLineEdit;

namespace vexa::ui {

// The profile's text fields hold Latin-1 bytes. Texts cross between a field
// and a widget only through these helpers.
QString FromFieldText(const std::string& bytes);
std::string ToFieldText(const QString& text);

// Folders and file paths: any length, held as UTF-8 inside the program on
// every platform.
QString FromFolderText(const std::string& bytes);
std::string ToFolderText(const QString& text);

// Limits a line edit to what a profile text field of `fieldWidth` bytes holds:
// at most fieldWidth - 1 characters, each of them printable Latin-1. Texts set
// by the program are cut to the same length. A refused character, or one
// typed into a full field, is answered with a tooltip at the field saying
// why.
void LimitToField(QLineEdit* edit, std::size_t fieldWidth);

// A folder line edit: any length; control characters are refused, with a
// tooltip saying why.
void LimitToFolder(QLineEdit* edit);

// A number box of a slider editor: digits only, or with `decimal` digits and
// one decimal point (a comma typed as the point becomes one). A refused
// character is answered with a tooltip saying why.
void LimitToNumber(QLineEdit* edit, bool decimal);

} // namespace vexa::ui

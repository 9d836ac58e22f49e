#pragma once

#include <QString>
#include <string>

class QHBoxLayout;
class QLineEdit;
class QWidget;

namespace vexa::ui {

class Prompts;

// A folder field's row: the line edit and, beside it, a "Browse..." button
// (named "browseButton") that opens the platform's folder dialog at the
// field's folder and puts the chosen folder into the field. `prompt` is the
// text the field shows while the folder is empty; the dialog then opens at
// the platform's default.
QHBoxLayout* FolderRow(QLineEdit* edit, Prompts& prompts, const QString& title,
                       const std::string& prompt, QWidget* dialog);

// OK of a folder dialog: whether the field's text may be stored. A refused
// folder is explained in a message box and the dialog stays open. The prompt
// text is always accepted (it is not stored).
bool AcceptFolderText(QLineEdit* edit, Prompts& prompts, const std::string& prompt,
                      bool mustBeAbsolute, QWidget* dialog);

} // namespace vexa::ui

#pragma once

#include "core/settings/AppSettings.h"

#include <QString>
#include <optional>
#include <string>

class QDialog;
class QLineEdit;
class QWidget;

namespace vexa::ui {

class Prompts;

// Puts an opener's skill-level caption into a dialog's read-only caption
// field; without a caption the field keeps the text it had.
void SetCaptionText(QLineEdit* field, const std::optional<std::string>& caption);

// The messages an opener shows after its dialog closed.
struct OpenerMessages {
    QString changed;    // closed with OK
    QString notChanged; // closed any other way
};

// Runs `dialog` modally and then, when the OkCancel option is on (as the
// dialog left it), shows the changed or NOT changed message. True when the
// dialog closed with OK.
bool RunDialogAndReport(QDialog& dialog, Prompts& prompts, const AppSettings& settings,
                        const OpenerMessages& messages, QWidget* messageParent);

} // namespace vexa::ui

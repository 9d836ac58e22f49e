#pragma once

#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"

#include <QDialog>

class QLineEdit;

namespace vexa::ui {

class Prompts;

// "Model &Name": the player model named in the bot info file, with its skin
// ("knight/red"). A name longer than the record's field is kept whole in
// the bot's extras, its first characters in the field.
class ModelNameDialog final : public QDialog {
    Q_OBJECT

public:
    ModelNameDialog(BotProfile& profile, ProfileExtras& extras, Prompts& prompts, QWidget* parent);

    // Shows model_name, or the file-name form of the bot name when it is
    // empty, then runs the dialog.
    int exec() override;
    // Stores the field into model_name and closes with OK; the proposal
    // accepted unchanged stores nothing, so the default model stays.
    void accept() override;

private:
    BotProfile& profile_;
    ProfileExtras& extras_;
    Prompts& prompts_;
    QLineEdit* modelNameEdit_;
};

} // namespace vexa::ui

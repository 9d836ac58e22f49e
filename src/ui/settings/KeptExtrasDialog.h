#pragma once

#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace vexa::ui {

// "Kept Extras": everything the bot keeps beyond what the editors hold (a
// long name or model, info keys, characteristics and weights as its files
// had them, chat lines and situations), one a line. The user may remove
// any of them; OK stores the list, Cancel keeps the bot as it was.
class KeptExtrasDialog final : public QDialog {
    Q_OBJECT

public:
    KeptExtrasDialog(const BotProfile& profile, ProfileExtras& extras, QWidget* parent);

    int exec() override;
    void accept() override;

    QListWidget* list() const { return list_; }
    QPushButton* removeButton() const { return removeButton_; }

private:
    void fill();
    void removeSelected();

    const BotProfile& profile_;
    ProfileExtras& extras_;
    ProfileExtras working_;
    QListWidget* list_;
    QPushButton* removeButton_;
};

} // namespace vexa::ui

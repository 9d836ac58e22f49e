#pragma once

#include "core/editors/EditorTables.h"
#include "core/profile/BotProfile.h"
#include "core/settings/AppSettings.h"

#include <QDialog>
#include <string_view>
#include <vector>

class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace vexa::ui {

class Prompts;

// What every skill-level editor shares: the read-only "Current skill level:"
// caption, the buttons "&OK" (default), "&Cancel" and "&Apply to All", and
// the opening that reloads the level's values. Subclasses put their
// controls into body(). exec() (like open() and show()) reloads first; it
// returns Accepted only for OK.
class SkillLevelEditorDialog : public QDialog {
    Q_OBJECT

public:
    SkillLevelEditorDialog(const EditorInfo& info, BotProfile& profile, AppSettings& settings,
                           Prompts& prompts, QWidget* parent);

    const EditorInfo& info() const { return info_; }

    // The caption shown beside "Current skill level:"; set by the opener
    // before each opening.
    void setCaption(const QString& caption);
    QString caption() const;
    QLineEdit* captionField() const { return captionField_; }

    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QPushButton* applyToAllButton() const { return applyButton_; }

    void setVisible(bool visible) override;

protected:
    // Opening: read the level's values into the controls.
    virtual void reload() = 0;
    // OK: store the controls into the level's block.
    virtual void storeEdits() = 0;
    // "&Apply to All" after its question: store on Yes, and return the
    // messages to show in order.
    virtual std::vector<std::string_view> applyToAll(bool yes) = 0;

    QVBoxLayout* body() const { return body_; }
    // Puts `widget` last in the tab order before the three buttons.
    void appendToTabOrder(QWidget* widget);

    BotProfile& profile_;
    AppSettings& settings_;
    Prompts& prompts_;

private:
    void askApplyToAll();

    const EditorInfo& info_;
    QLineEdit* captionField_;
    QVBoxLayout* body_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    QPushButton* applyButton_;
    QWidget* lastBeforeButtons_;
};

// What an opener does: sets the editor's caption from the options, runs it
// modally and, when OkCancel is on, shows its changed or NOT changed
// message. True when the editor closed with OK.
bool OpenEditor(SkillLevelEditorDialog& editor, Prompts& prompts, const AppSettings& settings,
                QWidget* messageParent);

} // namespace vexa::ui

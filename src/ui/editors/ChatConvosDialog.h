#pragma once

#include "core/editors/EditorModel.h"
#include "ui/editors/SkillLevelEditorDialog.h"

#include <QDialog>
#include <array>
#include <vector>

class QLineEdit;
class QPushButton;

namespace vexa::ui {

// "Chat Responses": the ten lines of one chat category. It only shows the
// texts it is given and hands them back; its opener does the rest.
class ChatResponsesDialog final : public QDialog {
    Q_OBJECT

public:
    explicit ChatResponsesDialog(QWidget* parent);

    // The caption after "Chat Responses for:" and the ten lines.
    void setCategory(const QString& caption, const ChatResponses& lines);
    ChatResponses responses() const;

    QLineEdit* captionField() const { return caption_; }
    QLineEdit* responseBox(int line) const { return responses_[static_cast<std::size_t>(line)]; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

private:
    QLineEdit* caption_;
    std::array<QLineEdit*, kChatLinesPerCategory> responses_{};
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

// "Chat Convos": one button per chat category, in five frames. It edits a
// working copy of the chat lines of the weights level; only its OK (or
// "&Apply to All" answered Yes) writes them into the profile.
class ChatConvosDialog final : public SkillLevelEditorDialog {
    Q_OBJECT

public:
    ChatConvosDialog(BotProfile& profile, AppSettings& settings, Prompts& prompts, QWidget* parent);

    ChatResponsesDialog* responsesDialog() const { return responses_; }
    QPushButton* categoryButton(int category) const {
        return buttons_[static_cast<std::size_t>(category)];
    }

protected:
    void reload() override;
    void storeEdits() override;
    std::vector<std::string_view> applyToAll(bool yes) override;

private:
    void editCategory(int category);

    ChatConvosModel model_;
    ChatResponsesDialog* responses_;
    std::vector<QPushButton*> buttons_;
};

} // namespace vexa::ui

#pragma once

#include "core/editors/EditorModel.h"
#include "core/script/ChatLine.h"
#include "ui/editors/SkillLevelEditorDialog.h"

#include <QDialog>
#include <array>
#include <optional>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vexa::ui {

// "Chat Responses": the ten lines of one chat category. It shows the texts
// it is given and hands them back as typed; its opener does the rest. While
// a line is typed it shows how many of the 79 characters it uses and
// whether the game can read it: an unreadable line is marked, with the
// reason below it, and a plain text without quotation marks can be quoted
// with one click.
class ChatResponsesDialog final : public QDialog {
    Q_OBJECT

public:
    explicit ChatResponsesDialog(QWidget* parent);

    // The caption after "Chat Responses for:" and the ten lines.
    void setCategory(const QString& caption, const ChatResponses& lines);
    ChatResponses responses() const;
    // The game's random strings, when known: a line naming any other is
    // marked as one the game cannot read.
    void setRandomStrings(std::optional<RandomStringNames> names);
    const std::optional<RandomStringNames>& randomStrings() const { return randomStrings_; }
    // Puts the keyboard focus into line `line` (0 to 9).
    void focusLine(int line);

    QLineEdit* captionField() const { return caption_; }
    QLineEdit* responseBox(int line) const { return at(lines_, line).box; }
    QLabel* counterLabel(int line) const { return at(lines_, line).counter; }
    QLabel* reasonLabel(int line) const { return at(lines_, line).reason; }
    QPushButton* fixButton(int line) const { return at(lines_, line).fix; }
    // True while line `line` holds a text the game cannot read.
    bool isMarked(int line) const;
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

private:
    struct Line {
        QLineEdit* box = nullptr;
        QLabel* counter = nullptr;
        QLabel* reason = nullptr;
        QPushButton* fix = nullptr;
        QAction* mark = nullptr; // the warning sign inside the field
    };
    template <typename T> static const T& at(const std::array<T, kChatLinesPerCategory>& a, int i) {
        return a[static_cast<std::size_t>(i)];
    }
    void checkLine(int line);
    void fixLine(int line);

    QLineEdit* caption_;
    std::array<Line, kChatLinesPerCategory> lines_{};
    std::optional<RandomStringNames> randomStrings_;
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
    // True while the working copy of `category` holds a line the game
    // cannot read; its button is marked then.
    bool isMarked(int category) const;

    // The next opening goes straight on to the responses of `category` with
    // line `line` (0 to 9) in focus.
    void openAtLine(int category, int line);

protected:
    void reload() override;
    void storeEdits() override;
    std::vector<std::string_view> applyToAll(bool yes) override;

private:
    void editCategory(int category, int focusLine = 0);
    void markCategories();

    ChatConvosModel model_;
    std::optional<std::pair<int, int>> pendingLine_;
    ChatResponsesDialog* responses_;
    std::vector<QPushButton*> buttons_;
};

} // namespace vexa::ui

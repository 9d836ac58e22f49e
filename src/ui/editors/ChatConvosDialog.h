#pragma once

#include "core/editors/EditorModel.h"
#include "core/profile/ProfileExtras.h"
#include "core/script/ChatLine.h"
#include "ui/editors/SkillLevelEditorDialog.h"

#include <QDialog>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;

namespace vexa::ui {

// "Chat Responses": the lines of one chat situation, any number of them (at
// least ten rows are shown, "Response 1:" onwards). It shows the texts it
// is given and hands them back as typed; its opener does the rest. Lines
// are added after the current one, removed and moved up or down with the
// buttons beside them (Alt+Up and Alt+Down in a line move it too). While a
// line is typed it shows how many of the game's 255 characters it uses and
// whether the game can read it: an unreadable line is marked, with the
// reason below it, and a plain text without quotation marks can be quoted
// with one click.
class ChatResponsesDialog final : public QDialog {
    Q_OBJECT

public:
    explicit ChatResponsesDialog(QWidget* parent);

    // The caption after "Chat Responses for:" and the lines.
    void setCategory(const QString& caption, const ChatResponses& lines);
    // Every row as it stands, empty ones included.
    ChatResponses responses() const;
    // The game's random strings, when known: a line naming any other is
    // marked as one the game cannot read.
    void setRandomStrings(std::optional<RandomStringNames> names);
    const std::optional<RandomStringNames>& randomStrings() const { return randomStrings_; }
    // Puts the keyboard focus into line `line` (from 0).
    void focusLine(int line);

    int lineCount() const { return static_cast<int>(lines_.size()); }
    // The line the buttons act on: the one last in focus.
    int currentLine() const { return current_; }
    // What the buttons do, on the current line.
    void addLine();
    void removeLine();
    void moveLine(int step);

    QLineEdit* captionField() const { return caption_; }
    QLineEdit* responseBox(int line) const { return at(line).box; }
    QLabel* counterLabel(int line) const { return at(line).counter; }
    QLabel* reasonLabel(int line) const { return at(line).reason; }
    QPushButton* fixButton(int line) const { return at(line).fix; }
    // True while line `line` holds a text the game cannot read.
    bool isMarked(int line) const;
    QPushButton* addButton() const { return addButton_; }
    QPushButton* removeButton() const { return removeButton_; }
    QPushButton* moveUpButton() const { return upButton_; }
    QPushButton* moveDownButton() const { return downButton_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Line {
        QLabel* label = nullptr;
        QLineEdit* box = nullptr;
        QLabel* counter = nullptr;
        QLabel* reason = nullptr;
        QPushButton* fix = nullptr;
        QAction* mark = nullptr; // the warning sign inside the field
    };
    const Line& at(int line) const { return lines_.at(static_cast<std::size_t>(line)); }
    // Shows `lines` (at least ten rows) and puts the focus into `focus`.
    void showLines(const ChatResponses& lines, int focus);
    void setRowCount(std::size_t count);
    void makeRow(int line);
    void checkLine(int line);
    void fixLine(int line);
    void updateButtons();

    QLineEdit* caption_;
    QWidget* rowsWidget_;
    QGridLayout* rows_;
    QScrollArea* scroll_;
    std::vector<Line> lines_;
    int current_ = 0;
    std::optional<RandomStringNames> randomStrings_;
    QPushButton* addButton_;
    QPushButton* removeButton_;
    QPushButton* upButton_;
    QPushButton* downButton_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

// "Chat Convos": one button per chat situation in five frames, the four
// situations the game asks for beyond the record's among them, and a list
// of the other situations the bot keeps. It edits a working copy of the
// chat lines of the weights level; only its OK (or "&Apply to All" answered
// Yes) writes them into the profile and its extras.
class ChatConvosDialog final : public SkillLevelEditorDialog {
    Q_OBJECT

public:
    ChatConvosDialog(BotProfile& profile, ProfileExtras& extras, AppSettings& settings,
                     Prompts& prompts, QWidget* parent);

    ChatResponsesDialog* responsesDialog() const { return responses_; }
    // The button of situation `situation` (0 to 31: the record's 28, then
    // the four of kExtraChatSituations).
    QPushButton* categoryButton(int situation) const {
        return buttons_[static_cast<std::size_t>(situation)];
    }
    // The list of the other kept situations (item i is situation 32 + i).
    QListWidget* keptList() const { return keptList_; }
    const ChatConvosModel& model() const { return model_; }
    // True while the working copy of `situation` holds a line the game
    // cannot read; its button or list entry is marked then.
    bool isMarked(int situation) const;

    // The next opening goes straight on to the responses of the situation a
    // chat file names `situation` with line `line` in focus.
    void openAtLine(const std::string& situation, int line);
    // The same for a situation of the record (0 to 27).
    void openAtLine(int category, int line);
    // Opens the responses of situation `situation` (an index of the model).
    void editSituation(int situation, int focusLine = 0);

protected:
    void reload() override;
    void storeEdits() override;
    std::vector<std::string_view> applyToAll(bool yes) override;

private:
    void markSituations();

    ProfileExtras& extras_;
    ChatConvosModel model_;
    std::optional<std::pair<std::string, int>> pendingLine_;
    ChatResponsesDialog* responses_;
    std::vector<QPushButton*> buttons_;
    QGroupBox* keptFrame_;
    QListWidget* keptList_;
    std::vector<bool> marks_;
};

} // namespace vexa::ui

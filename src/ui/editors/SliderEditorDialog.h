#pragma once

#include "core/editors/EditorModel.h"
#include "ui/editors/SkillLevelEditorDialog.h"

#include <cstddef>
#include <vector>

class QGridLayout;
class QGroupBox;
class QLabel;

namespace vexa::ui {

class ReleaseSlider;

// The one slider editor: builds a row (label, slider with ticks on both
// sides, right-aligned text box) for every binding of its table, in the
// table's group boxes and columns and in its tab order. While it is open the
// text boxes are the working copy; OK and "&Apply to All" store what they
// say.
class SliderEditorDialog : public SkillLevelEditorDialog {
    Q_OBJECT

public:
    SliderEditorDialog(const EditorTable& table, BotProfile& profile, AppSettings& settings,
                       Prompts& prompts, QWidget* parent);

    const EditorTable& table() const { return model_.table(); }
    std::size_t rowCount() const { return rows_.size(); }
    ReleaseSlider* slider(std::size_t row) const { return rows_[row].slider; }
    QLineEdit* textBox(std::size_t row) const { return rows_[row].text; }
    QLabel* label(std::size_t row) const { return rows_[row].label; }
    // The "Chat name:" field; nullptr unless the table has one.
    QLineEdit* chatNameBox() const { return chatName_; }

protected:
    void reload() override;
    void storeEdits() override;
    std::vector<std::string_view> applyToAll(bool yes) override;

    QGroupBox* groupBox(int group) const { return groups_[static_cast<std::size_t>(group)]; }
    // Adds `widget` to a group box below the last row of `column`.
    void addBelowColumn(int group, int column, QWidget* widget);

private:
    struct Row {
        QLabel* label;
        ReleaseSlider* slider;
        QLineEdit* text;
    };

    void readTexts();
    void showTexts();
    void showPositions();
    void sliderReleased(std::size_t row);
    void textEdited(std::size_t row);

    SliderEditorModel model_;
    std::vector<QGroupBox*> groups_;
    std::vector<QGridLayout*> grids_;
    std::vector<std::array<int, 2>> columnRows_; // rows used per group and column
    std::vector<Row> rows_;
    QLineEdit* chatName_ = nullptr;
};

} // namespace vexa::ui

#include "ui/editors/ChatConvosDialog.h"

#include "core/generate/ChatCategory.h"
#include "ui/common/Prompts.h"
#include "ui/common/TextFields.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa::ui {

namespace {

QString Text(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Where each frame of the convos dialog sits (row, column, row span) and how
// many columns of buttons it has.
struct FramePlace {
    std::string_view group;
    int row;
    int column;
    int rowSpan;
    int buttonColumns;
};
constexpr std::array<FramePlace, 5> kFrames{{
    {"Level Responses", 0, 0, 1, 2},
    {"Hit Responses", 0, 1, 1, 1},
    {"Death Responses", 1, 0, 2, 2},
    {"Kill Responses", 1, 1, 1, 1},
    {"Random Repsonses", 2, 1, 1, 1},
}};

} // namespace

ChatResponsesDialog::ChatResponsesDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Chat Responses"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QGridLayout;
    form->addWidget(new QLabel(tr("Chat Responses for:"), this), 0, 0);
    caption_ = new QLineEdit(this);
    caption_->setReadOnly(true);
    form->addWidget(caption_, 0, 1);
    const int lineWidth = fontMetrics().horizontalAdvance(QLatin1Char('x')) * 60;
    for (int line = 0; line < kChatLinesPerCategory; ++line) {
        auto* box = new QLineEdit(this);
        LimitToField(box, kChatLineWidth);
        box->setMinimumWidth(lineWidth);
        form->addWidget(new QLabel(tr("Response %1:").arg(line + 1), this), line + 1, 0);
        form->addWidget(box, line + 1, 1);
        responses_[static_cast<std::size_t>(line)] = box;
    }
    layout->addLayout(form);
    layout->addWidget(new QLabel(
        tr("Note: Make sure you remember to put quotation marks around your bot responses"), this));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    okButton_ = new QPushButton(tr("OK"), this);
    cancelButton_ = new QPushButton(tr("Cancel"), this);
    okButton_->setDefault(true);
    caption_->setObjectName(QStringLiteral("captionField"));
    okButton_->setObjectName(QStringLiteral("okButton"));
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    layout->addLayout(buttons);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void ChatResponsesDialog::setCategory(const QString& caption, const ChatResponses& lines) {
    caption_->setText(caption);
    for (std::size_t line = 0; line < responses_.size(); ++line) {
        responses_[line]->setText(FromFieldText(lines[line]));
        responses_[line]->setCursorPosition(0);
    }
    responses_[0]->setFocus(); // every category starts at Response 1
}

ChatResponses ChatResponsesDialog::responses() const {
    ChatResponses lines;
    for (std::size_t line = 0; line < responses_.size(); ++line)
        lines[line] = ToFieldText(responses_[line]->text());
    return lines;
}

ChatConvosDialog::ChatConvosDialog(BotProfile& profile, AppSettings& settings, Prompts& prompts,
                                   QWidget* parent)
    : SkillLevelEditorDialog(kChatConvosEditor, profile, settings, prompts, parent),
      responses_(new ChatResponsesDialog(this)) {
    auto* frames = new QGridLayout;
    std::vector<QGridLayout*> frameGrids;
    std::vector<int> frameCounts(kFrames.size(), 0);
    std::vector<int> frameRows(kFrames.size(), 0);
    for (const FramePlace& place : kFrames) {
        auto* box = new QGroupBox(Text(place.group), this);
        auto* grid = new QGridLayout(box);
        frames->addWidget(box, place.row, place.column, place.rowSpan, 1);
        frameGrids.push_back(grid);
    }
    // Buttons fill their frame's columns top to bottom, left column first.
    std::vector<int> totals(kFrames.size(), 0);
    for (const ChatCategory& category : kChatCategories)
        for (std::size_t f = 0; f < kFrames.size(); ++f)
            if (kFrames[f].group == category.group)
                ++totals[f];
    for (std::size_t f = 0; f < kFrames.size(); ++f)
        frameRows[f] = (totals[f] + kFrames[f].buttonColumns - 1) / kFrames[f].buttonColumns;

    for (int c = 0; c < kChatCategoryCount; ++c) {
        const ChatCategory& category = kChatCategories[static_cast<std::size_t>(c)];
        std::size_t f = 0;
        while (f + 1 < kFrames.size() && kFrames[f].group != category.group)
            ++f;
        auto* button = new QPushButton(Text(category.buttonLabel), frameGrids[f]->parentWidget());
        button->setAutoDefault(false);
        const int n = frameCounts[f]++;
        frameGrids[f]->addWidget(button, n % frameRows[f], n / frameRows[f]);
        appendToTabOrder(button);
        buttons_.push_back(button);
        connect(button, &QPushButton::clicked, this, [this, c] { editCategory(c); });
    }
    for (QGridLayout* grid : frameGrids)
        grid->setRowStretch(grid->rowCount(), 1);
    body()->addLayout(frames);
}

void ChatConvosDialog::reload() {
    model_.Open(profile_, settings_);
}

void ChatConvosDialog::storeEdits() {
    model_.Store(profile_, settings_);
}

std::vector<std::string_view> ChatConvosDialog::applyToAll(bool yes) {
    return model_.ApplyToAll(profile_, yes);
}

void ChatConvosDialog::editCategory(int category) {
    responses_->setCategory(Text(kChatCategories[static_cast<std::size_t>(category)].caption),
                            model_.Responses(category));
    if (responses_->exec() == QDialog::Accepted) {
        if (settings_.OkCancel)
            prompts_.information(this, Text(kChatResponsesChangedMessage));
        model_.SetResponses(category, responses_->responses());
    } else if (settings_.OkCancel) {
        prompts_.information(this, Text(kChatResponsesNotChangedMessage));
    }
}

} // namespace vexa::ui

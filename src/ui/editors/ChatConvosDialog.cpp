#include "ui/editors/ChatConvosDialog.h"

#include "core/profile/ChatCategory.h"
#include "ui/common/GameRandomStrings.h"
#include "ui/common/Prompts.h"
#include "ui/common/TextFields.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

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

// How an unreadable line and a line with a warning look.
constexpr const char* kUnreadableFieldStyle =
    "QLineEdit { border: 2px solid #c62828; background: #fff0f0; }";
constexpr const char* kErrorTextStyle = "color: #b71c1c;";
constexpr const char* kWarningTextStyle = "color: #7a5c00;";
constexpr int kMostLineCharacters = kChatLineWidth - 1;

} // namespace

ChatResponsesDialog::ChatResponsesDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Chat Responses"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QGridLayout;
    form->setVerticalSpacing(2);
    form->addWidget(new QLabel(tr("Chat Responses for:"), this), 0, 0);
    caption_ = new QLineEdit(this);
    caption_->setReadOnly(true);
    form->addWidget(caption_, 0, 1);
    const int lineWidth = fontMetrics().horizontalAdvance(QLatin1Char('x')) * 60;
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (int line = 0; line < kChatLinesPerCategory; ++line) {
        Line& parts = lines_[static_cast<std::size_t>(line)];
        const int row = 1 + 2 * line;
        parts.box = new QLineEdit(this);
        LimitToField(parts.box, kChatLineWidth);
        parts.box->setMinimumWidth(lineWidth);
        parts.box->setObjectName(QStringLiteral("response%1").arg(line + 1));
        parts.mark = parts.box->addAction(warning, QLineEdit::TrailingPosition);
        parts.mark->setVisible(false);
        parts.counter = new QLabel(this);
        parts.counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        parts.counter->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("79/79")));
        parts.counter->setToolTip(
            tr("Characters used of the %1 a line holds").arg(kMostLineCharacters));
        parts.fix = new QPushButton(tr("Add quotes"), this);
        parts.fix->setAutoDefault(false);
        parts.fix->setToolTip(tr("Put the line in quotation marks, as the game needs it"));
        parts.fix->setVisible(false);
        QSizePolicy keep = parts.fix->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        parts.fix->setSizePolicy(keep);
        parts.reason = new QLabel(this);
        parts.reason->setWordWrap(true);
        QFont small = parts.reason->font();
        small.setPointSizeF(small.pointSizeF() * 0.9);
        parts.reason->setFont(small);
        parts.reason->setMinimumHeight(QFontMetrics(small).height());
        form->addWidget(new QLabel(tr("Response %1:").arg(line + 1), this), row, 0);
        form->addWidget(parts.box, row, 1);
        form->addWidget(parts.counter, row, 2);
        form->addWidget(parts.fix, row, 3);
        form->addWidget(parts.reason, row + 1, 1, 1, 3);
        connect(parts.box, &QLineEdit::textChanged, this, [this, line] { checkLine(line); });
        connect(parts.fix, &QPushButton::clicked, this, [this, line] { fixLine(line); });
        checkLine(line);
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
    // Tab moves from line to line; the fix buttons are reached with the mouse
    // or after the last line.
    for (int line = 0; line + 1 < kChatLinesPerCategory; ++line)
        setTabOrder(responseBox(line), responseBox(line + 1));
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void ChatResponsesDialog::setCategory(const QString& caption, const ChatResponses& lines) {
    caption_->setText(caption);
    for (std::size_t line = 0; line < lines_.size(); ++line) {
        lines_[line].box->setText(FromFieldText(lines[line]));
        lines_[line].box->setCursorPosition(0);
        checkLine(static_cast<int>(line));
    }
    lines_[0].box->setFocus(); // every category starts at Response 1
}

ChatResponses ChatResponsesDialog::responses() const {
    ChatResponses lines;
    for (std::size_t line = 0; line < lines_.size(); ++line)
        lines[line] = ToFieldText(lines_[line].box->text());
    return lines;
}

void ChatResponsesDialog::setRandomStrings(std::optional<RandomStringNames> names) {
    randomStrings_ = std::move(names);
    for (int line = 0; line < kChatLinesPerCategory; ++line)
        checkLine(line);
}

void ChatResponsesDialog::focusLine(int line) {
    if (line < 0 || line >= kChatLinesPerCategory)
        return;
    QLineEdit* box = responseBox(line);
    box->setFocus(Qt::OtherFocusReason);
    box->setCursorPosition(static_cast<int>(box->text().size()));
}

bool ChatResponsesDialog::isMarked(int line) const {
    return responseBox(line)->property("unreadable").toBool();
}

void ChatResponsesDialog::checkLine(int line) {
    const Line& parts = at(lines_, line);
    const QString text = parts.box->text();
    parts.counter->setText(QStringLiteral("%1/%2").arg(text.size()).arg(kMostLineCharacters));
    const std::string bytes = ToFieldText(text);
    const ChatLineCheck check = CheckChatLine(bytes, randomStrings_ ? &*randomStrings_ : nullptr);
    QString reason;
    if (!check.readable) {
        reason = tr("The game cannot read this line: %1").arg(FromFieldText(check.error));
        parts.reason->setStyleSheet(QLatin1String(kErrorTextStyle));
    } else if (!check.warnings.empty()) {
        QStringList warnings;
        for (const std::string& warning : check.warnings)
            warnings << FromFieldText(warning);
        reason = tr("Warning: %1").arg(warnings.join(QStringLiteral("; ")));
        parts.reason->setStyleSheet(QLatin1String(kWarningTextStyle));
    }
    parts.box->setProperty("unreadable", !check.readable);
    parts.box->setStyleSheet(check.readable ? QString() : QLatin1String(kUnreadableFieldStyle));
    parts.box->setToolTip(reason);
    parts.mark->setVisible(!check.readable);
    parts.mark->setToolTip(reason);
    parts.reason->setText(reason);
    parts.fix->setVisible(QuotedChatLineFix(bytes, kMostLineCharacters).has_value());
}

void ChatResponsesDialog::fixLine(int line) {
    const std::optional<std::string> fixed =
        QuotedChatLineFix(ToFieldText(responseBox(line)->text()), kMostLineCharacters);
    if (!fixed)
        return;
    responseBox(line)->setText(FromFieldText(*fixed));
    focusLine(line);
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
    responses_->setRandomStrings(GameRandomStrings(settings_));
    markCategories();
    if (pendingLine_) {
        const auto [category, line] = *pendingLine_;
        pendingLine_.reset();
        QTimer::singleShot(0, this, [this, category, line] {
            if (isVisible())
                editCategory(category, line);
        });
    }
}

bool ChatConvosDialog::isMarked(int category) const {
    return categoryButton(category)->property("unreadable").toBool();
}

void ChatConvosDialog::openAtLine(int category, int line) {
    if (category >= 0 && category < kChatCategoryCount)
        pendingLine_ = std::make_pair(category, line);
}

void ChatConvosDialog::markCategories() {
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (int category = 0; category < kChatCategoryCount; ++category) {
        const ChatResponses lines = model_.Responses(category);
        const RandomStringNames* names =
            responses_->randomStrings() ? &*responses_->randomStrings() : nullptr;
        const bool unreadable =
            std::any_of(lines.begin(), lines.end(), [names](const std::string& line) {
                return !CheckChatLine(line, names).readable;
            });
        QPushButton* button = categoryButton(category);
        button->setProperty("unreadable", unreadable);
        button->setIcon(unreadable ? warning : QIcon());
        button->setToolTip(unreadable ? tr("Holds lines the game cannot read") : QString());
    }
}

void ChatConvosDialog::storeEdits() {
    model_.Store(profile_, settings_);
}

std::vector<std::string_view> ChatConvosDialog::applyToAll(bool yes) {
    return model_.ApplyToAll(profile_, yes);
}

void ChatConvosDialog::editCategory(int category, int focusLine) {
    responses_->setCategory(Text(kChatCategories[static_cast<std::size_t>(category)].caption),
                            model_.Responses(category));
    responses_->focusLine(focusLine);
    if (responses_->exec() == QDialog::Accepted) {
        if (settings_.OkCancel)
            prompts_.information(this, Text(kChatResponsesChangedMessage));
        model_.SetResponses(category, responses_->responses());
        markCategories();
    } else if (settings_.OkCancel) {
        prompts_.information(this, Text(kChatResponsesNotChangedMessage));
    }
}

} // namespace vexa::ui

#include "ui/editors/ChatConvosDialog.h"

#include "core/profile/ChatCategory.h"
#include "core/profile/ChatSituations.h"
#include "ui/common/GameRandomStrings.h"
#include "ui/common/Prompts.h"
#include "ui/common/TextFields.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

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
    {"Kill Responses", 1, 1, 1, 2},
    {"Random Repsonses", 2, 1, 1, 1},
}};

// How an unreadable line and a line with a warning look.
constexpr const char* kUnreadableFieldStyle =
    "QLineEdit { border: 2px solid #c62828; background: #fff0f0; }";
constexpr const char* kErrorTextStyle = "color: #b71c1c;";
constexpr const char* kWarningTextStyle = "color: #7a5c00;";
constexpr int kMostLineCharacters = static_cast<int>(kMaxChatMessage);
constexpr int kRecordLineCharacters = kChatLineWidth - 1;
// The rows the responses dialog shows at least, and the situations with a
// button of their own in the convos dialog.
constexpr int kShownRows = kChatLinesPerCategory;
constexpr int kButtonSituations = kChatCategoryCount + kExtraChatSituationCount;

} // namespace

ChatResponsesDialog::ChatResponsesDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Chat Responses"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Chat Responses for:"), this));
    caption_ = new QLineEdit(this);
    caption_->setReadOnly(true);
    caption_->setObjectName(QStringLiteral("captionField"));
    top->addWidget(caption_, 1);
    layout->addLayout(top);

    // The rows scroll; the buttons that act on the current row stay beside them.
    auto* middle = new QHBoxLayout;
    rowsWidget_ = new QWidget;
    rows_ = new QGridLayout(rowsWidget_);
    rows_->setVerticalSpacing(2);
    rows_->setColumnStretch(1, 1);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(rowsWidget_);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setFrameShape(QFrame::NoFrame);
    middle->addWidget(scroll_, 1);
    auto* side = new QVBoxLayout;
    const auto sideButton = [this, side](const QString& text, const char* name,
                                         const QString& tip) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        button->setToolTip(tip);
        side->addWidget(button);
        return button;
    };
    addButton_ = sideButton(tr("&Add Line"), "addLineButton",
                            tr("Adds an empty line after the current one"));
    removeButton_ =
        sideButton(tr("&Remove Line"), "removeLineButton", tr("Removes the current line"));
    upButton_ = sideButton(tr("Move &Up"), "moveUpButton",
                           tr("Moves the current line up (Alt+Up in the line)"));
    downButton_ = sideButton(tr("Move &Down"), "moveDownButton",
                             tr("Moves the current line down (Alt+Down in the line)"));
    side->addStretch(1);
    middle->addLayout(side);
    layout->addLayout(middle, 1);
    connect(addButton_, &QPushButton::clicked, this, &ChatResponsesDialog::addLine);
    connect(removeButton_, &QPushButton::clicked, this, &ChatResponsesDialog::removeLine);
    connect(upButton_, &QPushButton::clicked, this, [this] { moveLine(-1); });
    connect(downButton_, &QPushButton::clicked, this, [this] { moveLine(1); });

    layout->addWidget(new QLabel(
        tr("Note: Make sure you remember to put quotation marks around your bot responses"), this));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    okButton_ = new QPushButton(tr("OK"), this);
    cancelButton_ = new QPushButton(tr("Cancel"), this);
    okButton_->setDefault(true);
    okButton_->setObjectName(QStringLiteral("okButton"));
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    layout->addLayout(buttons);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    showLines({}, 0);
    // Ten rows fit without scrolling at first; the dialog may be made smaller.
    // The rows never scroll sideways: the area is as wide as they need.
    const int rowsHeight = rowsWidget_->sizeHint().height();
    scroll_->setMinimumHeight(rowsHeight / 3);
    scroll_->setMinimumWidth(rowsWidget_->minimumSizeHint().width() +
                             scroll_->verticalScrollBar()->sizeHint().width());
    resize(sizeHint().width(), sizeHint().height() - scroll_->sizeHint().height() + rowsHeight +
                                   2 * scroll_->frameWidth());
}

void ChatResponsesDialog::makeRow(int line) {
    Line& parts = lines_[static_cast<std::size_t>(line)];
    const int row = 2 * line;
    parts.label = new QLabel(tr("Response %1:").arg(line + 1), rowsWidget_);
    parts.box = new QLineEdit(rowsWidget_);
    LimitToField(parts.box, kMaxChatMessage + 1);
    parts.box->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 60);
    parts.box->setObjectName(QStringLiteral("response%1").arg(line + 1));
    parts.box->installEventFilter(this);
    parts.mark = parts.box->addAction(style()->standardIcon(QStyle::SP_MessageBoxWarning),
                                      QLineEdit::TrailingPosition);
    parts.mark->setVisible(false);
    parts.counter = new QLabel(rowsWidget_);
    parts.counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    parts.counter->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("255/255")));
    parts.counter->setToolTip(tr("Characters used of the %1 a chat line holds; a line of up to "
                                 "%2 also fits the profile record that other programs read")
                                  .arg(kMostLineCharacters)
                                  .arg(kRecordLineCharacters));
    parts.fix = new QPushButton(tr("Add quotes"), rowsWidget_);
    parts.fix->setAutoDefault(false);
    parts.fix->setFocusPolicy(Qt::ClickFocus); // Tab goes from line to line
    parts.fix->setToolTip(tr("Put the line in quotation marks, as the game needs it"));
    parts.fix->setVisible(false);
    QSizePolicy keep = parts.fix->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    parts.fix->setSizePolicy(keep);
    parts.reason = new QLabel(rowsWidget_);
    parts.reason->setWordWrap(true);
    QFont small = parts.reason->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    parts.reason->setFont(small);
    parts.reason->setMinimumHeight(QFontMetrics(small).height());
    rows_->addWidget(parts.label, row, 0);
    rows_->addWidget(parts.box, row, 1);
    rows_->addWidget(parts.counter, row, 2);
    rows_->addWidget(parts.fix, row, 3);
    rows_->addWidget(parts.reason, row + 1, 1, 1, 3);
    connect(parts.box, &QLineEdit::textChanged, this, [this, line] { checkLine(line); });
    connect(parts.fix, &QPushButton::clicked, this, [this, line] { fixLine(line); });
    if (line > 0)
        setTabOrder(responseBox(line - 1), parts.box);
}

void ChatResponsesDialog::setRowCount(std::size_t count) {
    while (lines_.size() > count) {
        const Line& last = lines_.back();
        for (QWidget* widget : std::initializer_list<QWidget*>{last.label, last.box, last.counter,
                                                               last.fix, last.reason})
            delete widget;
        lines_.pop_back();
    }
    while (lines_.size() < count) {
        lines_.emplace_back();
        makeRow(static_cast<int>(lines_.size()) - 1);
    }
    // The side buttons follow the last line in the tab order.
    setTabOrder(lines_.back().box, addButton_);
}

void ChatResponsesDialog::showLines(const ChatResponses& lines, int focus) {
    setRowCount(std::max<std::size_t>(lines.size(), kShownRows));
    for (std::size_t line = 0; line < lines_.size(); ++line) {
        lines_[line].box->setText(line < lines.size() ? FromFieldText(lines[line]) : QString());
        lines_[line].box->setCursorPosition(0);
        checkLine(static_cast<int>(line));
    }
    focusLine(std::clamp(focus, 0, lineCount() - 1));
}

void ChatResponsesDialog::setCategory(const QString& caption, const ChatResponses& lines) {
    caption_->setText(caption);
    showLines(lines, 0); // every situation starts at Response 1
    scroll_->verticalScrollBar()->setValue(0);
}

ChatResponses ChatResponsesDialog::responses() const {
    ChatResponses lines;
    for (const Line& line : lines_)
        lines.push_back(ToFieldText(line.box->text()));
    return lines;
}

void ChatResponsesDialog::setRandomStrings(std::optional<RandomStringNames> names) {
    randomStrings_ = std::move(names);
    for (int line = 0; line < lineCount(); ++line)
        checkLine(line);
}

void ChatResponsesDialog::focusLine(int line) {
    if (line < 0 || line >= lineCount())
        return;
    current_ = line;
    QLineEdit* box = responseBox(line);
    box->setFocus(Qt::OtherFocusReason);
    box->setCursorPosition(static_cast<int>(box->text().size()));
    scroll_->ensureWidgetVisible(box);
    updateButtons();
}

void ChatResponsesDialog::addLine() {
    ChatResponses lines = responses();
    const int at = current_ + 1;
    lines.insert(lines.begin() + at, std::string());
    showLines(lines, at);
}

void ChatResponsesDialog::removeLine() {
    ChatResponses lines = responses();
    lines.erase(lines.begin() + current_);
    showLines(lines, std::min(current_, static_cast<int>(lines.size()) - 1));
}

void ChatResponsesDialog::moveLine(int step) {
    const int to = current_ + step;
    if (to < 0 || to >= lineCount())
        return;
    ChatResponses lines = responses();
    std::swap(lines[static_cast<std::size_t>(current_)], lines[static_cast<std::size_t>(to)]);
    showLines(lines, to);
}

void ChatResponsesDialog::updateButtons() {
    upButton_->setEnabled(current_ > 0);
    downButton_->setEnabled(current_ + 1 < lineCount());
}

bool ChatResponsesDialog::eventFilter(QObject* watched, QEvent* event) {
    const auto line = std::find_if(lines_.begin(), lines_.end(),
                                   [watched](const Line& parts) { return parts.box == watched; });
    if (line == lines_.end())
        return QDialog::eventFilter(watched, event);
    const int index = static_cast<int>(line - lines_.begin());
    if (event->type() == QEvent::FocusIn) {
        current_ = index;
        updateButtons();
    } else if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::AltModifier &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            current_ = index;
            moveLine(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool ChatResponsesDialog::isMarked(int line) const {
    return responseBox(line)->property("unreadable").toBool();
}

void ChatResponsesDialog::checkLine(int line) {
    const Line& parts = at(line);
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

ChatConvosDialog::ChatConvosDialog(BotProfile& profile, ProfileExtras& extras,
                                   AppSettings& settings, Prompts& prompts, QWidget* parent)
    : SkillLevelEditorDialog(kChatConvosEditor, profile, settings, prompts, parent),
      extras_(extras), responses_(new ChatResponsesDialog(this)) {
    auto* frames = new QGridLayout;
    std::vector<QGridLayout*> frameGrids;
    for (const FramePlace& place : kFrames) {
        auto* box = new QGroupBox(Text(place.group), this);
        auto* grid = new QGridLayout(box);
        frames->addWidget(box, place.row, place.column, place.rowSpan, 1);
        frameGrids.push_back(grid);
    }
    // One button per situation with a name the game asks for: the record's,
    // then the four beyond it, each in its group's frame.
    std::vector<const ChatCategory*> situations;
    for (const ChatCategory& category : kChatCategories)
        situations.push_back(&category);
    for (const ChatCategory& extra : kExtraChatSituations)
        situations.push_back(&extra);
    const auto frameOf = [](const ChatCategory& category) {
        std::size_t f = 0;
        while (f + 1 < kFrames.size() && kFrames[f].group != category.group)
            ++f;
        return f;
    };
    // Buttons fill their frame's columns top to bottom, left column first.
    std::vector<int> frameRows(kFrames.size(), 0);
    for (const ChatCategory* category : situations)
        ++frameRows[frameOf(*category)];
    for (std::size_t f = 0; f < kFrames.size(); ++f)
        frameRows[f] = (frameRows[f] + kFrames[f].buttonColumns - 1) / kFrames[f].buttonColumns;
    std::vector<int> frameCounts(kFrames.size(), 0);
    for (int s = 0; s < static_cast<int>(situations.size()); ++s) {
        const ChatCategory& category = *situations[static_cast<std::size_t>(s)];
        const std::size_t f = frameOf(category);
        auto* button = new QPushButton(Text(category.buttonLabel), frameGrids[f]->parentWidget());
        button->setAutoDefault(false);
        const int n = frameCounts[f]++;
        frameGrids[f]->addWidget(button, n % frameRows[f], n / frameRows[f]);
        buttons_.push_back(button);
        connect(button, &QPushButton::clicked, this, [this, s] { editSituation(s); });
    }
    // Tab order: the buttons in the record's order, then the four beyond it.
    for (QPushButton* button : buttons_)
        appendToTabOrder(button);
    for (QGridLayout* grid : frameGrids)
        grid->setRowStretch(grid->rowCount(), 1);
    body()->addLayout(frames);

    // The other situations the bot brought along, shown when there are any.
    keptFrame_ = new QGroupBox(tr("Kept Responses"), this);
    auto* keptLayout = new QVBoxLayout(keptFrame_);
    auto* keptNote = new QLabel(
        tr("Situations of the bot's chat file without a button of their own, written back as "
           "they are. Enter or a double click edits one."),
        keptFrame_);
    keptNote->setWordWrap(true);
    keptLayout->addWidget(keptNote);
    keptList_ = new QListWidget(keptFrame_);
    keptList_->setObjectName(QStringLiteral("keptSituations"));
    keptList_->setMaximumHeight(fontMetrics().height() * 5);
    keptLayout->addWidget(keptList_);
    body()->addWidget(keptFrame_);
    appendToTabOrder(keptList_);
    connect(keptList_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { editSituation(item->data(Qt::UserRole).toInt()); });
}

void ChatConvosDialog::reload() {
    model_.Open(profile_, extras_, settings_);
    responses_->setRandomStrings(GameRandomStrings(settings_));
    markSituations();
    if (pendingLine_) {
        const auto [name, line] = *pendingLine_;
        pendingLine_.reset();
        const int situation = model_.FindSituation(name);
        if (situation >= 0)
            QTimer::singleShot(0, this, [this, situation, line] {
                if (isVisible())
                    editSituation(situation, line);
            });
    }
}

bool ChatConvosDialog::isMarked(int situation) const {
    return situation >= 0 && static_cast<std::size_t>(situation) < marks_.size() &&
           marks_[static_cast<std::size_t>(situation)];
}

void ChatConvosDialog::openAtLine(const std::string& situation, int line) {
    pendingLine_ = std::make_pair(situation, line);
}

void ChatConvosDialog::openAtLine(int category, int line) {
    if (category >= 0 && category < kChatCategoryCount)
        openAtLine(std::string(kChatCategories[static_cast<std::size_t>(category)].typeName), line);
}

void ChatConvosDialog::markSituations() {
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    const RandomStringNames* names =
        responses_->randomStrings() ? &*responses_->randomStrings() : nullptr;
    marks_.assign(model_.situationCount(), false);
    const int current = keptList_->currentRow();
    keptList_->clear();
    for (std::size_t s = 0; s < model_.situationCount(); ++s) {
        const ChatSituationRows& situation = model_.situation(s);
        marks_[s] = std::any_of(
            situation.rows.begin(), situation.rows.end(),
            [names](const std::string& line) { return !CheckChatLine(line, names).readable; });
        const QString tip = marks_[s] ? tr("Holds lines the game cannot read") : QString();
        if (static_cast<int>(s) < kButtonSituations) {
            QPushButton* button = buttons_[s];
            button->setIcon(marks_[s] ? warning : QIcon());
            button->setToolTip(tip);
            continue;
        }
        const std::size_t count = situation.rows.size();
        const QString name = FromFieldText(situation.name);
        auto* item = new QListWidgetItem(count == 1 ? tr("%1 (1 line)").arg(name)
                                                    : tr("%1 (%2 lines)").arg(name).arg(count),
                                         keptList_);
        item->setData(Qt::UserRole, static_cast<int>(s));
        item->setIcon(marks_[s] ? warning : QIcon());
        item->setToolTip(tip);
    }
    keptFrame_->setVisible(keptList_->count() > 0);
    if (keptList_->count() > 0)
        keptList_->setCurrentRow(std::clamp(current, 0, keptList_->count() - 1));
}

void ChatConvosDialog::storeEdits() {
    model_.Store(profile_, extras_, settings_);
}

std::vector<std::string_view> ChatConvosDialog::applyToAll(bool yes) {
    return model_.ApplyToAll(profile_, extras_, yes);
}

void ChatConvosDialog::editSituation(int situation, int focusLine) {
    if (situation < 0 || static_cast<std::size_t>(situation) >= model_.situationCount())
        return;
    responses_->setCategory(FromFieldText(ChatSituationCaption(
                                model_.situation(static_cast<std::size_t>(situation)).name)),
                            model_.Responses(situation));
    responses_->focusLine(focusLine);
    if (responses_->exec() == QDialog::Accepted) {
        if (settings_.OkCancel)
            prompts_.information(this, Text(kChatResponsesChangedMessage));
        model_.SetResponses(situation, responses_->responses());
        markSituations();
    } else if (settings_.OkCancel) {
        prompts_.information(this, Text(kChatResponsesNotChangedMessage));
    }
}

} // namespace vexa::ui

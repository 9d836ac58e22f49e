#include "ui/app/SourcePreviewDialog.h"

#include "core/archive/GameFolderSource.h"
#include "ui/common/TextFields.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vexa::ui {

namespace {

// Problems that are not chat lines carry this instead of a finding's index.
constexpr int kNotAChatLine = -1;

// Texts of the bot's files and names read from them: Latin-1, as the
// profile holds them. The messages of the core are UTF-8.
QString Text(std::string_view text) {
    return FromFieldText(std::string(text));
}

QColor StateColor(const SourcePreview::File& file) {
    if (!file.otherBot.empty())
        return QColor(0xb7, 0x1c, 0x1c);
    switch (file.state) {
    case SourcePreview::FileState::New:
        return QColor(0x1b, 0x5e, 0x20);
    case SourcePreview::FileState::Unchanged:
        break;
    case SourcePreview::FileState::Changed:
        return QColor(0x7a, 0x5c, 0x00);
    }
    return {};
}

} // namespace

SourcePreviewDialog::SourcePreviewDialog(const BotProfile& profile, const AppSettings& settings,
                                         QWidget* parent, const ProfileExtras& extras)
    : QDialog(parent), profile_(profile), settings_(settings), extras_(extras) {
    setWindowTitle(tr("Preview Arvon source"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(true);

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summaryLabel"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    files_ = new QTableWidget(0, 2, this);
    files_->setObjectName(QStringLiteral("fileTable"));
    files_->setHorizontalHeaderLabels({tr("State"), tr("File")});
    files_->horizontalHeader()->setStretchLastSection(true);
    files_->verticalHeader()->hide();
    files_->setSelectionBehavior(QAbstractItemView::SelectRows);
    files_->setSelectionMode(QAbstractItemView::SingleSelection);
    files_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    files_->setWordWrap(false);
    files_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("fileText"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setTabStopDistance(QFontMetricsF(text_->font()).horizontalAdvance(QLatin1Char(' ')) * 4);

    problems_ = new QListWidget(this);
    problems_->setObjectName(QStringLiteral("problemList"));
    problems_->setWordWrap(true);
    problems_->setToolTip(tr("Double-click a chat line, or press Enter on it, to edit it"));

    auto* filesAndText = new QSplitter(Qt::Horizontal, this);
    filesAndText->addWidget(files_);
    filesAndText->addWidget(text_);
    filesAndText->setStretchFactor(0, 2);
    filesAndText->setStretchFactor(1, 3);

    auto* problemsBox = new QWidget(this);
    auto* problemsLayout = new QVBoxLayout(problemsBox);
    problemsLayout->setContentsMargins(0, 0, 0, 0);
    auto* problemsTitle = new QLabel(tr("&Problems and warnings:"), problemsBox);
    problemsTitle->setBuddy(problems_);
    problemsLayout->addWidget(problemsTitle);
    problemsLayout->addWidget(problems_);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(filesAndText);
    split->addWidget(problemsBox);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);

    auto* refreshButton = new QPushButton(tr("&Refresh"), this);
    refreshButton->setObjectName(QStringLiteral("refreshButton"));
    refreshButton->setAutoDefault(false);
    auto* closeButton = new QPushButton(tr("Close"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    // Enter chooses a problem; it must not close the window as well.
    closeButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(refreshButton);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);

    connect(files_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { showFile(row); });
    connect(problems_, &QListWidget::itemActivated, this, &SourcePreviewDialog::problemChosen);
    connect(refreshButton, &QPushButton::clicked, this, &SourcePreviewDialog::refresh);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    const int width = fontMetrics().horizontalAdvance(QLatin1Char('x'));
    resize(width * 150, fontMetrics().height() * 40);
    refresh();
}

void SourcePreviewDialog::setEditChatLine(std::function<void(const ChatLineFinding&)> edit) {
    editChatLine_ = std::move(edit);
}

void SourcePreviewDialog::refresh() {
    const int keptRow = files_->currentRow();
    preview_ = PreviewSource(profile_, settings_, NativePathStyle(),
                             *BaseFolderView(settings_.BaseDir), extras_);

    if (preview_.result != 0) {
        summary_->setText(tr("Create Arvon source would write nothing: %1")
                              .arg(FromFolderText(preview_.message)));
    } else {
        QString summary =
            tr("Create Arvon source would write these %1 files.").arg(preview_.files.size());
        int errors = 0;
        for (const ChatLineFinding& finding : preview_.chat)
            errors += finding.error ? 1 : 0;
        if (errors > 0)
            summary += QLatin1Char(' ') +
                       tr("It would stop before writing them: %1 chat line(s) cannot be read by "
                          "the game.")
                           .arg(errors);
        summary_->setText(summary);
    }

    files_->setUpdatesEnabled(false);
    files_->clearContents();
    files_->setRowCount(static_cast<int>(preview_.files.size()));
    for (int row = 0; row < files_->rowCount(); ++row) {
        const SourcePreview::File& file = preview_.files[static_cast<std::size_t>(row)];
        QString state = Text(FileStateText(file.state));
        if (!file.otherBotArchive.empty())
            state += tr(", takes the place of the bot %1's file").arg(Text(file.otherBot));
        else if (!file.otherBot.empty())
            state += tr(", belongs to the bot %1").arg(Text(file.otherBot));
        auto* stateItem = new QTableWidgetItem(state);
        stateItem->setForeground(StateColor(file));
        auto* pathItem = new QTableWidgetItem(FromFolderText(file.path));
        pathItem->setToolTip(pathItem->text());
        files_->setItem(row, 0, stateItem);
        files_->setItem(row, 1, pathItem);
    }
    files_->resizeColumnToContents(0);
    files_->setUpdatesEnabled(true);
    if (files_->rowCount() > 0)
        files_->setCurrentCell(keptRow >= 0 && keptRow < files_->rowCount() ? keptRow : 0, 1);
    else
        text_->clear();

    problems_->setUpdatesEnabled(false);
    problems_->clear();
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    const QIcon infoIcon = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    const auto add = [this](const QIcon& icon, const QString& text, int finding) {
        auto* item = new QListWidgetItem(icon, text, problems_);
        item->setData(Qt::UserRole, finding);
    };
    for (std::size_t i = 0; i < preview_.chat.size(); ++i) {
        const ChatLineFinding& finding = preview_.chat[i];
        add(finding.error ? errorIcon : warningIcon, FromFolderText(ChatFindingText(finding)),
            static_cast<int>(i));
    }
    for (const SourcePreview::File& file : preview_.files)
        if (!file.otherBotArchive.empty())
            add(warningIcon,
                tr("%1 takes the place of the bot %2's file in %3: Create Arvon source asks "
                   "before writing it")
                    .arg(FromFolderText(file.path), Text(file.otherBot),
                         FromFolderText(file.otherBotArchive)),
                kNotAChatLine);
        else if (!file.otherBot.empty())
            add(warningIcon,
                tr("%1 belongs to the bot %2: Create Arvon source asks before replacing it")
                    .arg(FromFolderText(file.path), Text(file.otherBot)),
                kNotAChatLine);
    for (const std::string& duplicate : preview_.duplicates)
        add(warningIcon, FromFolderText(duplicate), kNotAChatLine);
    if (preview_.result == 0 && !preview_.randomStringsKnown)
        add(infoIcon,
            tr("The base folder holds no botfiles/rnd.c: random strings in chat lines are not "
               "checked"),
            kNotAChatLine);
    problems_->setUpdatesEnabled(true);
}

void SourcePreviewDialog::showFile(int row) {
    if (row < 0 || row >= static_cast<int>(preview_.files.size())) {
        text_->clear();
        return;
    }
    text_->setPlainText(Text(preview_.files[static_cast<std::size_t>(row)].text));
}

void SourcePreviewDialog::problemChosen(QListWidgetItem* item) {
    if (item == nullptr || !editChatLine_)
        return;
    const int index = item->data(Qt::UserRole).toInt();
    if (index < 0 || index >= static_cast<int>(preview_.chat.size()))
        return;
    const ChatLineFinding finding = preview_.chat[static_cast<std::size_t>(index)];
    editChatLine_(finding);
    refresh();
}

} // namespace vexa::ui

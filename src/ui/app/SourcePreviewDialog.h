#pragma once

#include "core/generate/SourcePreview.h"
#include "core/profile/BotProfile.h"
#include "core/settings/AppSettings.h"

#include <QDialog>
#include <functional>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QTableWidget;

namespace vexa::ui {

// File > "Preview Arvon source": what Create Arvon source would write, done
// in memory. It lists every file with its full path and whether it is new,
// unchanged or would change the file on disk, shows the selected file's
// text, and lists the chat lines the game cannot read, their warnings and
// other bots that the files would clash with. Choosing a chat line opens
// the Chat Responses editor on it. Nothing is written.
class SourcePreviewDialog final : public QDialog {
    Q_OBJECT

public:
    SourcePreviewDialog(const BotProfile& profile, const AppSettings& settings, QWidget* parent,
                        const ProfileExtras& extras = NoExtras());

    // Opens the chat line editor on a finding; the preview is worked out
    // again afterwards.
    void setEditChatLine(std::function<void(const ChatLineFinding&)> edit);

    // Works the preview out again from the profile and the options.
    void refresh();

    const SourcePreview& preview() const { return preview_; }
    QLabel* summaryLabel() const { return summary_; }
    QTableWidget* fileTable() const { return files_; }
    QPlainTextEdit* textView() const { return text_; }
    QListWidget* problemList() const { return problems_; }

private:
    void showFile(int row);
    void problemChosen(QListWidgetItem* item);

    const BotProfile& profile_;
    const AppSettings& settings_;
    const ProfileExtras& extras_;
    std::function<void(const ChatLineFinding&)> editChatLine_;
    SourcePreview preview_;
    QLabel* summary_;
    QTableWidget* files_;
    QPlainTextEdit* text_;
    QListWidget* problems_;
};

} // namespace vexa::ui

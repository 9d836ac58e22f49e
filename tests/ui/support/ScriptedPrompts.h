#pragma once

#include "ui/common/Prompts.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <stdexcept>

namespace vexa::test {

// Answers the program's message boxes and file dialogs from a script and
// records every one of them, so that GUI tests never block on a box.
class ScriptedPrompts : public vexa::ui::Prompts {
public:
    struct Shown {
        QString kind; // "information", "question", "save", "open" or "folder"
        QString text; // the message, or the dialog's title
        QString title;
        vexa::ui::Prompts::FileRequest request; // file dialogs only
    };

    // Answers for the next questions (true for Yes, nothing for a box
    // dismissed without an answer, which question() takes for No) and file
    // and folder dialogs (nothing for Cancel). A question or dialog with no
    // scripted answer is a test failure.
    std::deque<std::optional<bool>> questionAnswers;
    std::deque<std::optional<QString>> fileAnswers;

    QList<Shown> shown;

    void information(QWidget*, const QString& text, const QString& title = {}) override {
        shown.append({QStringLiteral("information"),
                      text,
                      title.isEmpty() ? vexa::ui::ApplicationTitle() : title,
                      {}});
    }
    bool question(QWidget* parent, const QString& text, const QString& title) override {
        return ask(parent, text, title).value_or(false);
    }
    std::optional<bool> ask(QWidget*, const QString& text, const QString& title) override {
        shown.append({QStringLiteral("question"), text, title, {}});
        if (questionAnswers.empty())
            throw std::logic_error("unexpected question: " + text.toStdString());
        const std::optional<bool> answer = questionAnswers.front();
        questionAnswers.pop_front();
        return answer;
    }
    std::optional<QString> saveFileName(QWidget*, const FileRequest& request) override {
        return fileDialog(QStringLiteral("save"), request);
    }
    std::optional<QString> openFileName(QWidget*, const FileRequest& request) override {
        return fileDialog(QStringLiteral("open"), request);
    }
    std::optional<QString> folderName(QWidget*, const QString& title,
                                      const QString& folder) override {
        FileRequest request;
        request.title = title;
        request.folder = folder;
        return fileDialog(QStringLiteral("folder"), request);
    }

    // The texts of the information boxes shown so far, in order.
    QStringList messages() const {
        QStringList texts;
        for (const Shown& s : shown)
            if (s.kind == QLatin1String("information"))
                texts.append(s.text);
        return texts;
    }
    void clear() { shown.clear(); }

private:
    std::optional<QString> fileDialog(const QString& kind, const FileRequest& request) {
        shown.append({kind, request.title, request.title, request});
        if (fileAnswers.empty())
            throw std::logic_error("unexpected file dialog: " + request.title.toStdString());
        auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
};

} // namespace vexa::test

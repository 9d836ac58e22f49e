#pragma once

#include "ui/common/Prompts.h"

#include <QString>
#include <QStringList>
#include <QTest>
#include <deque>
#include <functional>
#include <optional>

namespace vexa::test {

// Answers the program's message boxes and file dialogs from a script and
// records every one of them, so that GUI tests never block on a box.
class ScriptedPrompts : public vexa::ui::Prompts {
public:
    struct Shown {
        // "information", "question", "save question", "save", "open",
        // "folder", "list" or "text"
        QString kind;
        QString text; // the message, or the dialog's title
        QString title;
        vexa::ui::Prompts::FileRequest request; // file dialogs only
    };

    // Answers for the next questions (true for Yes, nothing for a box
    // dismissed without an answer, which question() takes for No) and file
    // and folder dialogs (nothing for Cancel). A question or dialog with no
    // scripted answer is a failure of the running test, which then goes on
    // with the answer that changes nothing (No, Cancel).
    std::deque<std::optional<bool>> questionAnswers;
    std::deque<SaveAnswer> saveAnswers;
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<std::optional<ListChoice>> listAnswers;
    // The lists and the texts below the headings of the texts shown so far.
    QList<ListRequest> lists;
    QStringList textBodies;

    QList<Shown> shown;
    // The texts of the questions asked with No as their default button.
    QStringList defaultNoQuestions;
    // What an unexpected prompt does: by default it fails the running test.
    std::function<void(const QString&)> onUnexpected = [](const QString& message) {
        QTest::qFail(qPrintable(message), __FILE__, __LINE__);
    };

    void information(QWidget*, const QString& text, const QString& title = {}) override {
        shown.append({QStringLiteral("information"),
                      text,
                      title.isEmpty() ? vexa::ui::ApplicationTitle() : title,
                      {}});
    }
    bool questionDefaultNo(QWidget* parent, const QString& text, const QString& title) override {
        defaultNoQuestions.append(text);
        return question(parent, text, title);
    }
    bool question(QWidget* parent, const QString& text, const QString& title) override {
        return ask(parent, text, title).value_or(false);
    }
    std::optional<bool> ask(QWidget*, const QString& text, const QString& title) override {
        shown.append({QStringLiteral("question"), text, title, {}});
        return next(questionAnswers, std::optional<bool>(false), text);
    }
    SaveAnswer askToSave(QWidget*, const QString& text, const QString& title) override {
        shown.append({QStringLiteral("save question"), text, title, {}});
        return next(saveAnswers, SaveAnswer::Cancel, text);
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

    std::optional<ListChoice> chooseFromList(QWidget*, const ListRequest& request) override {
        shown.append({QStringLiteral("list"), request.prompt, request.title, {}});
        lists.append(request);
        return next(listAnswers, std::optional<ListChoice>(), request.title);
    }
    void showText(QWidget*, const QString& title, const QString& heading,
                  const QString& text) override {
        shown.append({QStringLiteral("text"), heading, title, {}});
        textBodies.append(text);
    }

    // The texts of the information boxes shown so far, in order.
    QStringList messages() const {
        QStringList texts;
        for (const Shown& s : shown)
            if (s.kind == QLatin1String("information"))
                texts.append(s.text);
        return texts;
    }
    void clear() {
        shown.clear();
        lists.clear();
        textBodies.clear();
    }

private:
    std::optional<QString> fileDialog(const QString& kind, const FileRequest& request) {
        shown.append({kind, request.title, request.title, request});
        return next(fileAnswers, std::optional<QString>(), request.title);
    }
    // The next scripted answer; without one, `unanswered` after reporting
    // the prompt. A prompt may come from deep inside a modal dialog's event
    // loop, where an exception would end the whole test program.
    template <typename Answer>
    Answer next(std::deque<Answer>& answers, Answer unanswered, const QString& text) {
        if (answers.empty()) {
            onUnexpected(QStringLiteral("unexpected prompt: ") + text);
            return unanswered;
        }
        unanswered = std::move(answers.front());
        answers.pop_front();
        return unanswered;
    }
};

} // namespace vexa::test

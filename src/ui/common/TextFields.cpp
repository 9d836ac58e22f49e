#include "ui/common/TextFields.h"

#include "core/util/TypedText.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolTip>
#include <QValidator>

namespace vexa::ui {

namespace {

// Refuses any text that holds a character its kind does not take, and tells
// the user why beside the field. Watching the field's keys as well, it also
// explains why typing into a full field does nothing.
class TypedTextValidator final : public QValidator {
public:
    TypedTextValidator(TextKind kind, QLineEdit* edit)
        : QValidator(edit), kind_(kind), edit_(edit) {
        edit->setValidator(this);
        edit->installEventFilter(this);
    }

    State validate(QString& input, int& position) const override {
        const std::u32string text = input.toStdU32String();
        const TypedText checked = CheckTypedText(text, kind_, 0);
        if (checked.refusal != TextRefusal::None) {
            explain(checked.refusal);
            return Invalid;
        }
        if (checked.text != text) {
            input = QString::fromStdU32String(checked.text);
            position = std::min(position, static_cast<int>(input.size()));
        }
        return Acceptable;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == edit_ && event->type() == QEvent::KeyPress && !edit_->isReadOnly())
            checkRoom(*static_cast<QKeyEvent*>(event));
        return QValidator::eventFilter(watched, event);
    }

private:
    // Qt cuts what does not fit into a field silently; say so first.
    void checkRoom(const QKeyEvent& key) const {
        QString incoming;
        if (key.matches(QKeySequence::Paste)) {
            if (const QClipboard* clipboard = QApplication::clipboard())
                incoming = clipboard->text();
        } else if (!key.text().isEmpty() && key.text().at(0).isPrint() &&
                   (key.modifiers() &
                    ~(Qt::ShiftModifier | Qt::KeypadModifier | Qt::GroupSwitchModifier)) == 0) {
            incoming = key.text();
        }
        if (incoming.isEmpty())
            return;
        const qsizetype room =
            edit_->maxLength() - edit_->text().size() + edit_->selectedText().size();
        if (incoming.size() > room)
            explain(TextRefusal::TooLong);
    }

    void explain(TextRefusal refusal) const {
        const std::string message =
            RefusalMessage(refusal, static_cast<std::size_t>(edit_->maxLength()));
        QToolTip::showText(edit_->mapToGlobal(QPoint(0, edit_->height())),
                           QString::fromStdString(message), edit_, QRect(), 5000);
    }

    TextKind kind_;
    QLineEdit* edit_;
};

} // namespace

QString FromFieldText(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToFieldText(const QString& text) {
    return text.toLatin1().toStdString();
}

QString FromFolderText(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToFolderText(const QString& text) {
    return text.toUtf8().toStdString();
}

void LimitToField(QLineEdit* edit, std::size_t fieldWidth) {
    edit->setMaxLength(static_cast<int>(fieldWidth) - 1);
    new TypedTextValidator(TextKind::Field, edit);
}

void LimitToFolder(QLineEdit* edit) {
    edit->setMaxLength(32767);
    new TypedTextValidator(TextKind::Folder, edit);
}

void LimitToNumber(QLineEdit* edit, bool decimal) {
    new TypedTextValidator(decimal ? TextKind::Decimal : TextKind::Digits, edit);
}

} // namespace vexa::ui

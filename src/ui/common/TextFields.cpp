#include "ui/common/TextFields.h"

#include <QLineEdit>
#include <QValidator>

namespace vexa::ui {

namespace {

// Refuses any text that holds a character outside `highest` or a control
// character; paste and typing are checked alike.
class CharacterValidator final : public QValidator {
public:
    CharacterValidator(char16_t highest, QObject* parent) : QValidator(parent), highest_(highest) {}

    State validate(QString& input, int&) const override {
        for (const QChar c : input) {
            if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() < 0xa0) ||
                c.unicode() > highest_)
                return Invalid;
        }
        return Acceptable;
    }

private:
    char16_t highest_;
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
    edit->setValidator(new CharacterValidator(0xff, edit));
}

void LimitToFolder(QLineEdit* edit) {
    edit->setMaxLength(32767);
    edit->setValidator(new CharacterValidator(0xffff, edit));
}

} // namespace vexa::ui

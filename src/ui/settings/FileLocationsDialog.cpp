#include "ui/settings/FileLocationsDialog.h"

#include "ui/common/DialogButtons.h"
#include "ui/common/DialogOpener.h"
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

FileLocationsDialog::FileLocationsDialog(BotProfile& profile, AppSettings& settings,
                                         Prompts& prompts, QWidget* parent)
    : QDialog(parent), profile_(profile), settings_(settings), prompts_(prompts),
      captionEdit_(new QLineEdit(this)), weaponWeightsEdit_(new QLineEdit(this)),
      chatEdit_(new QLineEdit(this)), itemWeightsEdit_(new QLineEdit(this)) {
    setWindowTitle(tr("File Locations"));

    auto* captionLabel = new QLabel(tr("Current skill level:"), this);
    captionEdit_->setObjectName(QStringLiteral("captionEdit"));
    captionEdit_->setReadOnly(true);
    captionEdit_->setFocusPolicy(Qt::NoFocus);

    auto* group = new QGroupBox(tr("File Locations"), this);
    auto* weaponLabel = new QLabel(tr("Weapon Weights File:\n(name_w.c)"), group);
    auto* chatLabel = new QLabel(tr("Chat File:\n(name_t.c)"), group);
    auto* itemLabel = new QLabel(tr("Item Weights File:\n(name_i.c)"), group);
    const struct {
        QLabel* label;
        QLineEdit* edit;
        const char* name;
    } rows[] = {{weaponLabel, weaponWeightsEdit_, "weaponWeightsEdit"},
                {chatLabel, chatEdit_, "chatEdit"},
                {itemLabel, itemWeightsEdit_, "itemWeightsEdit"}};
    auto* grid = new QGridLayout(group);
    int row = 0;
    for (const auto& r : rows) {
        r.edit->setParent(group);
        r.edit->setObjectName(QLatin1String(r.name));
        r.edit->setMinimumWidth(200);
        LimitToField(r.edit, sizeof profile.skill[0].chat_file);
        r.label->setBuddy(r.edit);
        grid->addWidget(r.label, row, 0);
        grid->addWidget(r.edit, row, 1);
        ++row;
    }

    auto* note = new QLabel(tr("Note: Directories must have a FORWARD slash after them."), this);

    auto* buttons = MakeOkCancelRow(this, tr("&OK"), tr("&Cancel"));
    auto* applyAll = new QPushButton(tr("&Apply to All"), this);
    applyAll->setObjectName(QStringLiteral("applyAllButton"));
    connect(applyAll, &QPushButton::clicked, this, &FileLocationsDialog::applyToAll);

    auto* captionRow = new QHBoxLayout;
    captionRow->addWidget(captionLabel);
    captionRow->addWidget(captionEdit_, 1);

    buttons->addWidget(applyAll);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(captionRow);
    layout->addWidget(group);
    layout->addWidget(note);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(weaponWeightsEdit_, chatEdit_);
    setTabOrder(chatEdit_, itemWeightsEdit_);
    auto* ok = findChild<QPushButton*>(QStringLiteral("okButton"));
    auto* cancel = findChild<QPushButton*>(QStringLiteral("cancelButton"));
    setTabOrder(itemWeightsEdit_, ok);
    setTabOrder(ok, cancel);
    setTabOrder(cancel, applyAll);
}

void FileLocationsDialog::setCaption(const std::optional<std::string>& caption) {
    SetCaptionText(captionEdit_, caption);
}

int FileLocationsDialog::exec() {
    const FileLocations shown = FileLocationsShown(profile_, settings_);
    chatEdit_->setText(FromFieldText(shown.chat));
    weaponWeightsEdit_->setText(FromFieldText(shown.weaponWeights));
    itemWeightsEdit_->setText(FromFieldText(shown.itemWeights));
    weaponWeightsEdit_->setFocus();
    return QDialog::exec();
}

// Tells the user when a file name cannot be used here; true when all can.
bool FileLocationsDialog::namesUsable() {
    const FileLocations names = fieldTexts();
    const std::pair<const char*, const std::string*> fields[] = {
        {"Weapon weights file", &names.weaponWeights},
        {"Chat file", &names.chat},
        {"Item weights file", &names.itemWeights}};
    for (const auto& [field, name] : fields)
        if (const std::string refusal = StoredNameRefusal(field, *name); !refusal.empty()) {
            prompts_.information(this, QString::fromStdString(refusal));
            return false;
        }
    return true;
}

void FileLocationsDialog::accept() {
    if (!namesUsable())
        return;
    StoreFileLocations(profile_, settings_.SkillLevel, fieldTexts());
    QDialog::accept();
}

void FileLocationsDialog::applyToAll() {
    if (!namesUsable())
        return;
    const std::optional<bool> yes =
        prompts_.ask(this, tr("Apply these settings to all skill levels?"), tr("Apply to all?"));
    if (!yes)
        return; // dismissed without an answer: nothing happens
    if (*yes) {
        StoreFileLocationsForAll(profile_, fieldTexts());
        prompts_.information(this, tr("These settings have been applied to all skill levels"));
    } else {
        prompts_.information(this, tr("Settings NOT applied to all"));
    }
}

FileLocations FileLocationsDialog::fieldTexts() const {
    return {ToFieldText(weaponWeightsEdit_->text()), ToFieldText(chatEdit_->text()),
            ToFieldText(itemWeightsEdit_->text())};
}

} // namespace vexa::ui

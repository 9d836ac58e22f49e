#include "ui/settings/GeneralSettingsDialog.h"

#include "core/settings/LevelRules.h"
#include "ui/common/DialogButtons.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa::ui {

namespace {

QGroupBox* Group(const QString& title, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    new QVBoxLayout(group);
    return group;
}

QCheckBox* Box(const QString& text, const char* name, QGroupBox* group) {
    auto* box = new QCheckBox(text, group);
    box->setObjectName(QLatin1String(name));
    group->layout()->addWidget(box);
    return box;
}

} // namespace

GeneralSettingsDialog::GeneralSettingsDialog(AppSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(tr("General Settings"));

    auto* skillGroup = Group(tr("&Advanced Skill Controls"), this);
    tabSkillBox_ = Box(tr("Make Item + Weapon Weights and Convos Difficulty Dependent"),
                       "tabSkillBox", skillGroup);
    bothTabsBox_ = Box(tr("Skill Tabs Independent"), "bothTabsBox", skillGroup);
    applyAllBox_ = Box(tr("Allow Apply All buttons"), "applyAllBox", skillGroup);
    // "Skill Tabs Independent" stands indented under the box it depends on.
    auto* skillLayout = static_cast<QVBoxLayout*>(skillGroup->layout());
    skillLayout->removeWidget(bothTabsBox_);
    auto* indented = new QHBoxLayout;
    indented->addSpacing(24);
    indented->addWidget(bothTabsBox_);
    skillLayout->insertLayout(1, indented);

    auto* sliderGroup = Group(tr("Slider Control"), this);
    fineTuneBox_ =
        Box(tr("Fine Tuning (Slider can be incremented by 1s)"), "fineTuneBox", sliderGroup);
    auto* verifyGroup = Group(tr("Verification"), this);
    okCancelBox_ = Box(tr("Verification on window close"), "okCancelBox", verifyGroup);
    auto* sourceGroup = Group(tr("Source Generation"), this);
    buildFoldBox_ = Box(tr("Build Folders when generating source"), "buildFoldBox", sourceGroup);

    // The two links keep "Skill Tabs Independent" from being ticked alone.
    // They follow clicks only; on opening the boxes show the options as they
    // are.
    connect(tabSkillBox_, &QCheckBox::clicked, this, [this](bool ticked) {
        if (!ticked)
            bothTabsBox_->setChecked(false);
    });
    connect(bothTabsBox_, &QCheckBox::clicked, this, [this](bool ticked) {
        if (ticked)
            tabSkillBox_->setChecked(true);
    });

    auto* buttons = MakeOkCancelRow(this, tr("&OK"), tr("&Cancel"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(skillGroup);
    layout->addWidget(sliderGroup);
    layout->addWidget(verifyGroup);
    layout->addWidget(sourceGroup);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int GeneralSettingsDialog::exec() {
    const GeneralOptions options = GeneralOptionsOf(settings_);
    tabSkillBox_->setChecked(options.tabSkill);
    bothTabsBox_->setChecked(options.bothTabs);
    applyAllBox_->setChecked(options.applyAll);
    fineTuneBox_->setChecked(options.fineTune);
    okCancelBox_->setChecked(options.okCancel);
    buildFoldBox_->setChecked(options.buildFold);
    tabSkillBox_->setFocus();
    return QDialog::exec();
}

void GeneralSettingsDialog::accept() {
    GeneralOptions options;
    options.tabSkill = tabSkillBox_->isChecked();
    options.bothTabs = bothTabsBox_->isChecked();
    options.applyAll = applyAllBox_->isChecked();
    options.fineTune = fineTuneBox_->isChecked();
    options.okCancel = okCancelBox_->isChecked();
    options.buildFold = buildFoldBox_->isChecked();
    StoreGeneralOptions(settings_, options);
    QDialog::accept();
}

} // namespace vexa::ui

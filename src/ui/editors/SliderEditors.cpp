#include "ui/editors/SliderEditors.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa::ui {

namespace {

// The opener's part for a sub-editor: its caption, its run, its message.
template <class Editor>
QPushButton* SubEditorButton(const QString& text, Editor* subEditor, Prompts& prompts,
                             const AppSettings& settings, QDialog* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, parent, [=, &prompts, &settings] {
        OpenEditor(*subEditor, prompts, settings, parent);
    });
    return button;
}

} // namespace

WeaponAimDialog::WeaponAimDialog(BotProfile& profile, AppSettings& settings, Prompts& prompts,
                                 QWidget* parent)
    : SliderEditorDialog(kWeaponAimEditor, profile, settings, prompts, parent) {}

SkillSettingsDialog::SkillSettingsDialog(BotProfile& profile, AppSettings& settings,
                                         Prompts& prompts, QWidget* parent)
    : SliderEditorDialog(kSkillSettingsEditor, profile, settings, prompts, parent),
      weaponAim_(new WeaponAimDialog(profile, settings, prompts, this)) {
    weaponAimButton_ =
        SubEditorButton(tr("Weapon Specific Aim/Skill"), weaponAim_, prompts, settings, this);
    addBelowColumn(0, 1, weaponAimButton_);
}

PersonalitySettingsDialog::PersonalitySettingsDialog(BotProfile& profile, AppSettings& settings,
                                                     Prompts& prompts, QWidget* parent)
    : SliderEditorDialog(kPersonalitySettingsEditor, profile, settings, prompts, parent) {}

WeaponWeightsDialog::WeaponWeightsDialog(BotProfile& profile, AppSettings& settings,
                                         Prompts& prompts, QWidget* parent)
    : SliderEditorDialog(kWeaponWeightsEditor, profile, settings, prompts, parent) {}

InitialWeaponWeightsDialog::InitialWeaponWeightsDialog(BotProfile& profile, AppSettings& settings,
                                                       Prompts& prompts, QWidget* parent)
    : SliderEditorDialog(kInitialWeaponWeightsEditor, profile, settings, prompts, parent) {}

InitialPowerupWeightsDialog::InitialPowerupWeightsDialog(BotProfile& profile, AppSettings& settings,
                                                         Prompts& prompts, QWidget* parent)
    : SliderEditorDialog(kInitialPowerupWeightsEditor, profile, settings, prompts, parent) {}

CollectedWeaponWeightsDialog::CollectedWeaponWeightsDialog(BotProfile& profile,
                                                           AppSettings& settings, Prompts& prompts,
                                                           QWidget* parent)
    : SliderEditorDialog(kCollectedWeaponWeightsEditor, profile, settings, prompts, parent) {}

ItemWeightsDialog::ItemWeightsDialog(BotProfile& profile, AppSettings& settings, Prompts& prompts,
                                     QWidget* parent)
    : SliderEditorDialog(kItemWeightsEditor, profile, settings, prompts, parent),
      initialWeapons_(new InitialWeaponWeightsDialog(profile, settings, prompts, this)),
      powerups_(new InitialPowerupWeightsDialog(profile, settings, prompts, this)),
      collected_(new CollectedWeaponWeightsDialog(profile, settings, prompts, this)) {
    initialWeaponsButton_ =
        SubEditorButton(tr("Initial &Weapon Weights"), initialWeapons_, prompts, settings, this);
    powerupsButton_ =
        SubEditorButton(tr("Initial &Powerup Weights"), powerups_, prompts, settings, this);
    collectedButton_ =
        SubEditorButton(tr("&Collected Weapon Weights"), collected_, prompts, settings, this);
    auto* row = new QHBoxLayout;
    for (QPushButton* button : {initialWeaponsButton_, powerupsButton_, collectedButton_}) {
        row->addWidget(button);
        appendToTabOrder(button);
    }
    body()->addLayout(row);
}

ChatSettingsDialog::ChatSettingsDialog(BotProfile& profile, AppSettings& settings, Prompts& prompts,
                                       QWidget* parent)
    : SliderEditorDialog(kChatSettingsEditor, profile, settings, prompts, parent) {}

} // namespace vexa::ui

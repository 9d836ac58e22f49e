#pragma once

#include "ui/editors/SliderEditorDialog.h"

class QPushButton;

namespace vexa::ui {

// "Weapon Specific Aim Accuracy/Skill": the twelve per-weapon aim values.
class WeaponAimDialog final : public SliderEditorDialog {
    Q_OBJECT
public:
    WeaponAimDialog(BotProfile& profile, AppSettings& settings, Prompts& prompts, QWidget* parent);
};

// "Skill Settings": the seven general skill values; typing in "Attack
// Skill:" moves its slider. Its "Weapon Specific Aim/Skill" button opens its
// own WeaponAimDialog, which stores on its own OK whatever this editor does.
class SkillSettingsDialog final : public SliderEditorDialog {
    Q_OBJECT
public:
    SkillSettingsDialog(BotProfile& profile, AppSettings& settings, Prompts& prompts,
                        QWidget* parent);

    WeaponAimDialog* weaponAimDialog() const { return weaponAim_; }
    QPushButton* weaponAimButton() const { return weaponAimButton_; }

private:
    WeaponAimDialog* weaponAim_;
    QPushButton* weaponAimButton_;
};

// "Personality Settings": the eleven movement and temperament values.
class PersonalitySettingsDialog final : public SliderEditorDialog {
    Q_OBJECT
public:
    PersonalitySettingsDialog(BotProfile& profile, AppSettings& settings, Prompts& prompts,
                              QWidget* parent);
};

// "Weapon Weights": the ten weapon weights of the weights level.
class WeaponWeightsDialog final : public SliderEditorDialog {
    Q_OBJECT
public:
    WeaponWeightsDialog(BotProfile& profile, AppSettings& settings, Prompts& prompts,
                        QWidget* parent);
};

// "Initial Weapon Weights": the item file's weapon weights.
class InitialWeaponWeightsDialog final : public SliderEditorDialog {
    Q_OBJECT
public:
    InitialWeaponWeightsDialog(BotProfile& profile, AppSettings& settings, Prompts& prompts,
                               QWidget* parent);
};

// "Initial Powerup Weights": the item file's powerup weights.
class InitialPowerupWeightsDialog final : public SliderEditorDialog {
    Q_OBJECT
public:
    InitialPowerupWeightsDialog(BotProfile& profile, AppSettings& settings, Prompts& prompts,
                                QWidget* parent);
};

// "Collected Weapon Weights": the weights of weapons the bot holds.
class CollectedWeaponWeightsDialog final : public SliderEditorDialog {
    Q_OBJECT
public:
    CollectedWeaponWeightsDialog(BotProfile& profile, AppSettings& settings, Prompts& prompts,
                                 QWidget* parent);
};

// "Item Weights": health, armor and flag, and the openers of its three
// sub-editors, which store on their own OK.
class ItemWeightsDialog final : public SliderEditorDialog {
    Q_OBJECT
public:
    ItemWeightsDialog(BotProfile& profile, AppSettings& settings, Prompts& prompts,
                      QWidget* parent);

    InitialWeaponWeightsDialog* initialWeaponWeightsDialog() const { return initialWeapons_; }
    InitialPowerupWeightsDialog* initialPowerupWeightsDialog() const { return powerups_; }
    CollectedWeaponWeightsDialog* collectedWeaponWeightsDialog() const { return collected_; }
    QPushButton* initialWeaponWeightsButton() const { return initialWeaponsButton_; }
    QPushButton* initialPowerupWeightsButton() const { return powerupsButton_; }
    QPushButton* collectedWeaponWeightsButton() const { return collectedButton_; }

private:
    InitialWeaponWeightsDialog* initialWeapons_;
    InitialPowerupWeightsDialog* powerups_;
    CollectedWeaponWeightsDialog* collected_;
    QPushButton* initialWeaponsButton_;
    QPushButton* powerupsButton_;
    QPushButton* collectedButton_;
};

// "Chat Settings": the chat name and the thirteen chat values.
class ChatSettingsDialog final : public SliderEditorDialog {
    Q_OBJECT
public:
    ChatSettingsDialog(BotProfile& profile, AppSettings& settings, Prompts& prompts,
                       QWidget* parent);
};

} // namespace vexa::ui

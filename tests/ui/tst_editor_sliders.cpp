// The slider editors: opening, slider release, typing, OK, Cancel, Esc,
// "&Apply to All" and the sub-editors.
#include "EditorTestSupport.h"
#include "GuiTestSupport.h"
#include "core/editors/SliderValue.h"
#include "ui/editors/SliderEditors.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>
#include <functional>

using namespace vexa;
using namespace vexa::test;
using vexa::ui::OpenEditor;
using vexa::ui::ReleaseSlider;

class TestEditorSliders : public QObject {
    Q_OBJECT

private:
    BotProfile profile_{};
    AppSettings settings_;
    ScriptedPrompts prompts_;

    SkillProfile& level(int n) { return *BlockForLevel(profile_, n); }

private slots:
    void init() {
        profile_ = MakeProfile("Dr. Evil-Bot 2000");
        settings_ = AppSettings{};
        prompts_ = ScriptedPrompts{};
    }

    void captionsAndApplyToAllFollowTheLevelsAndOptions() {
        ui::SkillSettingsDialog skill(profile_, settings_, prompts_, nullptr);
        ui::WeaponWeightsDialog weapons(profile_, settings_, prompts_, nullptr);
        struct Case {
            bool tabSkill;
            bool applyAll;
            int skillLevel;
            int weightsLevel;
            const char* skillCaption;
            const char* weightsCaption;
        };
        const Case cases[] = {
            {false, true, 5, 1, "Nightmare Skill Level", "Adv Skills not currently enabled"},
            {true, true, 1, 4, "Beginning Skill Levels", "Hardcore Skill Level"},
            {true, false, 4, 5, "Hardcore Skill Level", "Nightmare Skill Level"},
        };
        settings_.OkCancel = false;
        for (const Case& c : cases) {
            settings_.TabSkill = c.tabSkill;
            settings_.ApplyAll = c.applyAll;
            settings_.SkillLevel = c.skillLevel;
            settings_.WeightsSkillLevel = c.weightsLevel;
            bool skillApply = false;
            bool weightsApply = false;
            QString skillCaption;
            QString weightsCaption;
            ModalScript script;
            script
                .then([&](QDialog*) {
                    skillCaption = skill.caption();
                    skillApply = skill.applyToAllButton()->isVisible();
                    skill.reject();
                })
                .then([&](QDialog*) {
                    weightsCaption = weapons.caption();
                    weightsApply = weapons.applyToAllButton()->isVisible();
                    weapons.reject();
                });
            OpenEditor(skill, prompts_, settings_, nullptr);
            OpenEditor(weapons, prompts_, settings_, nullptr);
            QVERIFY(script.allRan() && !script.watchdogFired());
            QCOMPARE(skillCaption, QString(c.skillCaption));
            QCOMPARE(weightsCaption, QString(c.weightsCaption));
            QCOMPARE(skillApply, c.applyAll);
            QCOMPARE(weightsApply, c.applyAll && c.tabSkill);
        }
        QVERIFY(prompts_.shown.isEmpty());
    }

    void openingShowsTheLevelClampedWithoutSnapping() {
        settings_.TabSkill = true;
        settings_.WeightsSkillLevel = 4;
        level(4).weapon_railgun = 999;
        level(4).weapon_gauntlet = 7;
        ui::WeaponWeightsDialog weapons(profile_, settings_, prompts_, nullptr);
        weapons.show();
        const QStringList expected{"5", "10", "300", "10", "250", "200", "10", "500", "10", "10"};
        for (std::size_t i = 0; i < weapons.rowCount(); ++i) {
            const QString want = i == 0 ? QString("7") : expected[static_cast<int>(i)];
            QCOMPARE(weapons.textBox(i)->text(), want);
            QCOMPARE(weapons.slider(i)->value(), want.toInt());
        }
    }

    void releasedSliderSnapsUnlessFineTune() {
        level(1).attack_skill = 437;
        ui::SkillSettingsDialog skill(profile_, settings_, prompts_, nullptr);
        const std::size_t row = Row(skill, "Attack Skill:");
        ReleaseSlider* slider = skill.slider(row);
        QLineEdit* text = skill.textBox(row);

        skill.show();
        QVERIFY(QTest::qWaitForWindowExposed(&skill));
        QCOMPARE(text->text(), QString(".437"));
        ClickHandle(slider); // no movement: the release alone snaps
        QCOMPARE(slider->value(), 440);
        QCOMPARE(text->text(), QString(".440"));

        ClickTrackRight(slider); // a page step on press, the snap on release
        QCOMPARE(slider->value(), 490);
        QCOMPARE(text->text(), QString(".490"));

        DragHandle(slider, -40);
        QVERIFY(slider->value() < 490);
        QCOMPARE(slider->value() % 10, 0);
        QCOMPARE(text->text(), QString::fromStdString(FormatScaledValue(slider->value(), 1000)));
        skill.reject();

        settings_.FineTune = true;
        skill.show();
        ClickTrackRight(slider);
        QCOMPARE(slider->value(), 487);
        QCOMPARE(text->text(), QString(".487"));
        ClickHandle(slider);
        QCOMPARE(text->text(), QString(".487"));
        DragHandle(slider, 25);
        QCOMPARE(text->text(), QString::fromStdString(FormatScaledValue(slider->value(), 1000)));
        skill.reject();
    }

    // Keys and the wheel show their change as a release does, snapping
    // unless FineTune; OK then stores what the user saw.
    void keysAndWheelRefreshTheTextAsAReleaseDoes() {
        level(1).aim_skill = 437;
        level(1).view_maxchange = 95;
        ui::SkillSettingsDialog skill(profile_, settings_, prompts_, nullptr);
        const std::size_t row = Row(skill, "Aim Skill:");
        ReleaseSlider* slider = skill.slider(row);
        QLineEdit* text = skill.textBox(row);
        const auto wheel = [](QSlider* target, int delta) {
            const QPoint at = target->rect().center();
            QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(target, &event);
        };
        skill.show();
        QVERIFY(QTest::qWaitForWindowExposed(&skill));
        QCOMPARE(text->text(), QString(".437"));
        skill.textBox(Row(skill, "Firethrottle:"))->setText(".9"); // typed elsewhere: kept
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Right); // 447, snapped
        QCOMPARE(slider->value(), 450);
        QCOMPARE(text->text(), QString(".450"));
        QTest::keyClick(slider, Qt::Key_PageUp);
        QCOMPARE(text->text(), QString(".500"));
        QTest::keyClick(slider, Qt::Key_End);
        QCOMPARE(text->text(), QString("1.00"));
        wheel(slider, -120);
        QCOMPARE(text->text(), QString::fromStdString(FormatScaledValue(slider->value(), 1000)));
        QVERIFY(slider->value() < 1000 && slider->value() % 10 == 0);
        QCOMPARE(skill.textBox(Row(skill, "Firethrottle:"))->text(), QString(".9"));

        ReleaseSlider* view = skill.slider(Row(skill, "View Max Change:"));
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Left); // 85, snapped to 90 (line size 10)
        QCOMPARE(TextOf(skill, "View Max Change:"), QString("90"));

        const int shown = slider->value();
        skill.okButton()->click();
        QCOMPARE(level(1).aim_skill, shown);
        QCOMPARE(level(1).view_maxchange, 90);
        QCOMPARE(level(1).firethrottle, 900);

        settings_.FineTune = true; // no snapping at all
        level(1).aim_skill = 437;
        skill.show();
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Right);
        QCOMPARE(text->text(), QString(".447"));
        QTest::keyClick(slider, Qt::Key_PageDown);
        QCOMPARE(text->text(), QString(".397"));
        wheel(slider, 120);
        QCOMPARE(text->text(), QString::fromStdString(FormatScaledValue(slider->value(), 1000)));
        QVERIFY(slider->value() > 397);
        skill.okButton()->click();
        QCOMPARE(level(1).aim_skill, slider->value());
    }

    // The decimal boxes keep only what can be a number; a comma is the
    // decimal point. The box says why it refused a character.
    void decimalBoxesTakeOnlyNumbers() {
        ui::SkillSettingsDialog skill(profile_, settings_, prompts_, nullptr);
        skill.show();
        QVERIFY(QTest::qWaitForWindowExposed(&skill));
        const struct {
            const char* label;
            const char* typed;
            const char* kept;
            std::int32_t SkillProfile::*field;
            int stored;
        } cases[] = {
            {"Reaction Time:", "x.5", ".5", &SkillProfile::reactiontime, 50},
            {"Aim Accuracy:", "0,75", "0.75", &SkillProfile::aim_accuracy, 750},
            {"Aim Skill:", "high", "", &SkillProfile::aim_skill, 0},
            {"View Factor:", "1.2.3", "1.23", &SkillProfile::view_factor, 1230},
            {"Firethrottle:", "-,5.", ".5", &SkillProfile::firethrottle, 500},
            {"Attack Skill:", "0,4", "0.4", &SkillProfile::attack_skill, 400},
        };
        for (const auto& c : cases) {
            QLineEdit* box = skill.textBox(Row(skill, c.label));
            box->clear();
            QTest::keyClicks(box, c.typed);
            QCOMPARE(box->text(), QString(c.kept));
        }
        QCOMPARE(skill.slider(Row(skill, "Attack Skill:"))->value(), 400); // it still follows
        QLineEdit* aim = skill.textBox(Row(skill, "Aim Skill:"));
        QTest::keyClicks(aim, "a");
        QVERIFY(QToolTip::isVisible());
        QVERIFY(QToolTip::text().contains("number"));
        skill.okButton()->click();
        for (const auto& c : cases)
            QCOMPARE(level(1).*c.field, c.stored);

        ui::ChatSettingsDialog chat(profile_, settings_, prompts_, nullptr);
        chat.show();
        QLineEdit* cpm = chat.textBox(Row(chat, "Characters Per Minute:"));
        QLineEdit* death = chat.textBox(Row(chat, "Death:"));
        cpm->selectAll();
        QTest::keyClicks(cpm, "1,5.0");
        QCOMPARE(cpm->text(), QString("150")); // digits only
        QVERIFY(QToolTip::text().contains("digits"));
        death->selectAll();
        QTest::keyClicks(death, ",25");
        QCOMPARE(death->text(), QString(".25"));
        chat.okButton()->click();
        QCOMPARE(level(1).chat_cpm, 150);
        QCOMPARE(level(1).chat_death, 250);
    }

    void typedValuesBeyondTheRangeAreStoredThenShownClamped() {
        settings_.TabSkill = true;
        settings_.WeightsSkillLevel = 5;
        ui::WeaponWeightsDialog weapons(profile_, settings_, prompts_, nullptr);
        weapons.show();
        QLineEdit* railgun = weapons.textBox(Row(weapons, "Railgun:"));
        railgun->selectAll();
        QTest::keyClicks(railgun, "-9a99");
        QCOMPARE(railgun->text(), QString("999"));                        // digits only
        QCOMPARE(weapons.slider(Row(weapons, "Railgun:"))->value(), 250); // typing moves nothing
        weapons.okButton()->click();
        QCOMPARE(level(5).weapon_railgun, 999);
        QCOMPARE(level(1).weapon_railgun, 250);

        weapons.show();
        QCOMPARE(railgun->text(), QString("500"));
        weapons.okButton()->click();
        QCOMPARE(level(5).weapon_railgun, 500);
    }

    // Each opening sets every box anew: nothing of a cancelled opening can
    // be brought back with undo.
    void reopeningLeavesNoUndoHistory() {
        ui::PersonalitySettingsDialog personality(profile_, settings_, prompts_, nullptr);
        personality.show();
        QLineEdit* camper = personality.textBox(Row(personality, "Camper:"));
        QLineEdit* walker = personality.textBox(Row(personality, "Walker:"));
        camper->selectAll();
        QTest::keyClicks(camper, ".9");
        walker->selectAll();
        QTest::keyClicks(walker, "0.00"); // back to the text it had
        QVERIFY(walker->isUndoAvailable());
        personality.reject();

        personality.show();
        for (std::size_t i = 0; i < personality.rowCount(); ++i)
            QVERIFY2(!personality.textBox(i)->isUndoAvailable(),
                     qPrintable(personality.label(i)->text()));
        QTest::keySequence(walker, QKeySequence::Undo);
        QTest::keySequence(camper, QKeySequence::Undo);
        QCOMPARE(walker->text(), QString("0.00"));
        QCOMPARE(camper->text(), QString(".250"));
        personality.reject();
    }

    // Esc or the close box on the question stores nothing and says nothing.
    void applyToAllQuestionDismissedDoesNothing() {
        settings_.SkillLevel = 4;
        ui::WeaponAimDialog aim(profile_, settings_, prompts_, nullptr);
        const BotProfile before = profile_;
        prompts_.questionAnswers = {std::nullopt};
        aim.show();
        aim.textBox(Row(aim, "Railgun:"))->setText(".420");
        aim.applyToAllButton()->click();
        QVERIFY(aim.isVisible());
        QCOMPARE(ImageBytes(profile_), ImageBytes(before));
        QCOMPARE(prompts_.shown.size(), 1);
        QCOMPARE(prompts_.shown[0].kind, QString("question"));
        aim.reject();
    }

    // Every row explains itself in game terms, with its range, on each of its
    // three controls.
    void everyRowHasItsTooltip() {
        ui::SkillSettingsDialog skill(profile_, settings_, prompts_, nullptr);
        ui::ItemWeightsDialog items(profile_, settings_, prompts_, nullptr);
        ui::ChatSettingsDialog chat(profile_, settings_, prompts_, nullptr);
        ui::PersonalitySettingsDialog personality(profile_, settings_, prompts_, nullptr);
        ui::WeaponWeightsDialog weapons(profile_, settings_, prompts_, nullptr);
        for (ui::SliderEditorDialog* editor : std::initializer_list<ui::SliderEditorDialog*>{
                 &skill, skill.weaponAimDialog(), &items, items.initialWeaponWeightsDialog(),
                 items.initialPowerupWeightsDialog(), items.collectedWeaponWeightsDialog(), &chat,
                 &personality, &weapons}) {
            for (std::size_t i = 0; i < editor->rowCount(); ++i) {
                const QString tip = editor->label(i)->toolTip();
                QVERIFY2(tip.size() > 30, qPrintable(editor->label(i)->text()));
                QCOMPARE(editor->slider(i)->toolTip(), tip);
                QCOMPARE(editor->textBox(i)->toolTip(), tip);
            }
        }
        QVERIFY(skill.label(Row(skill, "Reaction Time:"))->toolTip().endsWith("0 to 5"));
        QVERIFY(personality.label(Row(personality, "Camper:"))->toolTip().contains("one place"));
        QVERIFY(chat.label(Row(chat, "Characters Per Minute:"))->toolTip().endsWith("0 to 4000"));
        QVERIFY(chat.chatNameBox()->toolTip().contains("chat file"));
    }

    void typingInAttackSkillMovesItsSliderOnly() {
        ui::SkillSettingsDialog skill(profile_, settings_, prompts_, nullptr);
        skill.show();
        const std::size_t attack = Row(skill, "Attack Skill:");
        const std::size_t aim = Row(skill, "Aim Skill:");
        QLineEdit* attackText = skill.textBox(attack);
        attackText->clear();
        QTest::keyClicks(attackText, ".5");
        QCOMPARE(skill.slider(attack)->value(), 500);
        QCOMPARE(attackText->text(), QString(".5"));
        QTest::keyClick(attackText, Qt::Key_Backspace);
        QTest::keyClick(attackText, Qt::Key_Backspace);
        QCOMPARE(skill.slider(attack)->value(), 0);
        QTest::keyClicks(attackText, "3");
        QCOMPARE(skill.slider(attack)->value(), 1000);

        QLineEdit* aimText = skill.textBox(aim);
        aimText->clear();
        QTest::keyClicks(aimText, "2");
        QCOMPARE(skill.slider(aim)->value(), 250);
        skill.okButton()->click();
        QCOMPARE(level(1).attack_skill, 3000);
        QCOMPARE(level(1).aim_skill, 2000);

        skill.show(); // the program's own writing is not typing
        QCOMPARE(attackText->text(), QString("1.00"));
        QCOMPARE(skill.slider(attack)->value(), 1000);
        skill.reject();

        // A weapon-specific aim box keeps its slider where it was.
        ui::WeaponAimDialog weaponAim(profile_, settings_, prompts_, nullptr);
        weaponAim.show();
        const std::size_t railgun = Row(weaponAim, "Railgun:");
        const int before = weaponAim.slider(railgun)->value();
        weaponAim.textBox(railgun)->clear();
        QTest::keyClicks(weaponAim.textBox(railgun), ".64");
        QCOMPARE(weaponAim.slider(railgun)->value(), before);
        weaponAim.reject();
    }

    void okCancelAndEscapeWithTheirMessages() {
        ui::PersonalitySettingsDialog personality(profile_, settings_, prompts_, nullptr);
        const BotProfile before = profile_;
        const auto edit = [&](QDialog*) {
            QLineEdit* camper = personality.textBox(Row(personality, "Camper:"));
            camper->setText(".330");
        };
        ModalScript script;
        script
            .then([&](QDialog* d) {
                edit(d);
                ClickCancel(d);
            })
            .then([&](QDialog* d) {
                edit(d);
                QTest::keyClick(d, Qt::Key_Escape);
            })
            .then([&](QDialog* d) {
                edit(d);
                ClickOk(d);
            });
        QVERIFY(!OpenEditor(personality, prompts_, settings_, nullptr));
        QVERIFY(!OpenEditor(personality, prompts_, settings_, nullptr));
        QCOMPARE(ImageBytes(profile_), ImageBytes(before));
        QVERIFY(OpenEditor(personality, prompts_, settings_, nullptr));
        QVERIFY(script.allRan());
        QCOMPARE(level(1).camper, 330);
        QCOMPARE(prompts_.messages(),
                 QStringList({"Personality settings NOT changed",
                              "Personality settings NOT changed", "Personality settings changed"}));

        settings_.OkCancel = false;
        prompts_.clear();
        ModalScript quiet;
        quiet.then([](QDialog* d) { ClickOk(d); });
        QVERIFY(OpenEditor(personality, prompts_, settings_, nullptr));
        QVERIFY(prompts_.shown.isEmpty());
    }

    void applyToAllAnsweredNoThenYesSurvivesCancel() {
        settings_.SkillLevel = 4;
        ui::PersonalitySettingsDialog personality(profile_, settings_, prompts_, nullptr);
        prompts_.questionAnswers = {false, true};
        ModalScript script;
        script.then([&](QDialog* d) {
            personality.textBox(Row(personality, "Camper:"))->setText(".330");
            personality.applyToAllButton()->click();
            QCOMPARE(level(1).camper, 250);
            personality.applyToAllButton()->click();
            ClickCancel(d);
        });
        QVERIFY(!OpenEditor(personality, prompts_, settings_, nullptr));
        for (int n : {1, 4, 5}) {
            QCOMPARE(level(n).camper, 330);
            QCOMPARE(level(n).jumper, 1000);
        }
        QCOMPARE(prompts_.shown[0].kind, QString("question"));
        QCOMPARE(prompts_.shown[0].text, QString("Apply these settings to all skill levels?"));
        QCOMPARE(prompts_.shown[0].title, QString("Apply to all?"));
        QCOMPARE(prompts_.messages(),
                 QStringList({"Settings NOT applied to all",
                              "These settings have been applied to all skill levels",
                              "Personality settings NOT changed"}));
    }

    void subEditorsStoreIndependentlyOfTheirParent() {
        settings_.SkillLevel = 5;
        ui::SkillSettingsDialog skill(profile_, settings_, prompts_, nullptr);
        QString aimCaption;
        ModalScript script;
        script.then([&](QDialog* d) {
            QCOMPARE(d, static_cast<QDialog*>(&skill));
            skill.textBox(Row(skill, "Attack Skill:"))->setText(".100");
            ModalScript inner; // each modal level polls with its own timer
            inner.then([&](QDialog* sub) {
                auto* aim = skill.weaponAimDialog();
                QCOMPARE(sub, static_cast<QDialog*>(aim));
                aimCaption = aim->caption();
                aim->textBox(Row(*aim, "Railgun:"))->setText(".420");
                ClickOk(sub);
            });
            skill.weaponAimButton()->click();
            QVERIFY(inner.allRan());
            ClickCancel(d);
        });
        QVERIFY(!OpenEditor(skill, prompts_, settings_, nullptr));
        QVERIFY(script.allRan());
        QCOMPARE(aimCaption, QString("Nightmare Skill Level"));
        QCOMPARE(level(5).aim_accuracy_railgun, 420);
        QCOMPARE(level(5).attack_skill, 1000);
        QCOMPARE(prompts_.messages(),
                 QStringList({"Weapon Specific Aim Accuracy/Skill settings changed",
                              "Skill settings NOT changed"}));
    }

    void itemSubEditorsFollowTheWeightsLevel() {
        settings_.TabSkill = true;
        settings_.SkillLevel = 1;
        settings_.WeightsSkillLevel = 4;
        ui::ItemWeightsDialog items(profile_, settings_, prompts_, nullptr);
        QStringList captions;
        QString initialRocket;
        QString collectedRocket;
        const auto runSub = [&](QPushButton* button, std::function<void(QDialog*)> action) {
            ModalScript inner;
            inner.then(std::move(action));
            button->click();
            QVERIFY(inner.allRan());
        };
        ModalScript script;
        script.then([&](QDialog* d) {
            captions << items.caption();
            QCOMPARE(TextOf(items, "Flag:"), QString("50"));
            items.textBox(Row(items, "Health:"))->setText("77");
            runSub(items.initialWeaponWeightsButton(), [&](QDialog* sub) {
                captions << items.initialWeaponWeightsDialog()->caption();
                initialRocket = TextOf(*items.initialWeaponWeightsDialog(), "Rocket Launcher:");
                ClickCancel(sub);
            });
            runSub(items.collectedWeaponWeightsButton(), [&](QDialog* sub) {
                captions << items.collectedWeaponWeightsDialog()->caption();
                collectedRocket = TextOf(*items.collectedWeaponWeightsDialog(), "Rocket Launcher:");
                ClickCancel(sub);
            });
            runSub(items.initialPowerupWeightsButton(), [&](QDialog* sub) {
                auto* powerups = items.initialPowerupWeightsDialog();
                captions << powerups->caption();
                QCOMPARE(TextOf(*powerups, "Battle Suit:"), QString("400"));
                powerups->textBox(Row(*powerups, "Quad Damge:"))->setText("35");
                ClickOk(sub);
            });
            ClickCancel(d);
        });
        QVERIFY(!OpenEditor(items, prompts_, settings_, nullptr));
        QVERIFY(script.allRan());
        QCOMPARE(captions, QStringList(4, "Hardcore Skill Level"));
        QCOMPARE(initialRocket, QString("300"));
        QCOMPARE(collectedRocket, QString("50"));
        QCOMPARE(level(4).item_w_quad, 35);
        QCOMPARE(level(1).item_w_quad, 10);
        QCOMPARE(level(4).item_fs_health, 2);
        QCOMPARE(prompts_.messages(),
                 QStringList({"Initial Weapon Weight settings NOT changed",
                              "Collected Weapon Weight settings NOT changed",
                              "Initial Item Weight settings changed", "Item weights NOT changed"}));
    }

    void chatSettingsNameAndApplyToAll() {
        settings_.SkillLevel = 4;
        ui::ChatSettingsDialog chat(profile_, settings_, prompts_, nullptr);
        chat.show();
        QLineEdit* name = chat.chatNameBox();
        QCOMPARE(name->text(), QString("drevilbot2"));
        Type(name, QString::fromUtf8("é€") + QString(30, 'z'));
        QCOMPARE(name->text().size(), 19);
        QVERIFY(name->text().startsWith(QString::fromUtf8("drevilbot2é")));

        chat.textBox(Row(chat, "Characters Per Minute:"))->setText("9000");
        ReleaseSlider* cpm = chat.slider(Row(chat, "Characters Per Minute:"));
        QVERIFY(QTest::qWaitForWindowExposed(&chat));
        ClickTrackRight(cpm); // 400 + a page of 500
        QCOMPARE(TextOf(chat, "Characters Per Minute:"), QString("900"));

        prompts_.questionAnswers = {true};
        chat.applyToAllButton()->click();
        QCOMPARE(prompts_.messages(),
                 QStringList({"no problem copying names...",
                              "These settings have been applied to all skill levels"}));
        for (int n : {1, 4, 5}) {
            QCOMPARE(QByteArray(level(n).chat_name), name->text().toLatin1());
            QCOMPARE(level(n).chat_cpm, 900);
        }
        chat.reject();
        QCOMPARE(level(4).chat_cpm, 900);
    }
};

QTEST_MAIN(TestEditorSliders)
#include "tst_editor_sliders.moc"

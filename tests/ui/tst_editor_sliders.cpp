// The slider editors: opening, slider release, typing, OK, Cancel, Esc,
// "&Apply to All" and the sub-editors.
#include "EditorTestSupport.h"
#include "GuiTestSupport.h"
#include "core/editors/SliderValue.h"
#include "ui/editors/SliderEditors.h"

#include <QPushButton>
#include <QTest>
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

    void keysAndWheelMoveTheSliderButNotItsText() {
        level(1).aim_skill = 430;
        ui::SkillSettingsDialog skill(profile_, settings_, prompts_, nullptr);
        const std::size_t row = Row(skill, "Aim Skill:");
        ReleaseSlider* slider = skill.slider(row);
        skill.show();
        QVERIFY(QTest::qWaitForWindowExposed(&skill));
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Right);
        QTest::keyClick(slider, Qt::Key_PageUp);
        QCOMPARE(slider->value(), 490);
        const QPoint at = slider->rect().center();
        QWheelEvent wheel(at, slider->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(slider, &wheel);
        QVERIFY(slider->value() != 490);
        QCOMPARE(skill.textBox(row)->text(), QString(".430"));

        skill.okButton()->click();
        QCOMPARE(skill.result(), int(QDialog::Accepted));
        QCOMPARE(level(1).aim_skill, 430);
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

        ui::SkillSettingsDialog skill(profile_, settings_, prompts_, nullptr);
        skill.show();
        QLineEdit* reaction = skill.textBox(Row(skill, "Reaction Time:"));
        QCOMPARE(reaction->text(), QString("3.00"));
        reaction->selectAll();
        QTest::keyClicks(reaction, "x.5");
        skill.okButton()->click();
        QCOMPARE(level(1).reactiontime, 0); // any characters are taken; "x.5" reads as 0
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

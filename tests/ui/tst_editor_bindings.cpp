// Every editor row stores into exactly the profile bytes it stands for. The
// table below is the program's documented form of each editor (label, and
// the offset and scale of its value within a skill block of the profile
// image), kept apart from the program's own binding tables on purpose.
#include "EditorTestSupport.h"
#include "GuiTestSupport.h"
#include "core/util/FixedText.h"
#include "ui/editors/ChatConvosDialog.h"
#include "ui/editors/SliderEditors.h"

#include <QLabel>
#include <QTest>
#include <cstring>
#include <map>

using namespace vexa;
using namespace vexa::test;

namespace {

enum class Editor {
    Skill,
    WeaponAim,
    Personality,
    WeaponWeights,
    ItemWeights,
    InitialWeapons,
    Powerups,
    CollectedWeapons,
    ChatSettings,
};

struct Bound {
    Editor editor;
    const char* label;
    int occurrence; // the n-th row with this label in its editor
    int offset;     // within a skill block of the image
    int scale;
};

constexpr Bound kBound[] = {
    {Editor::Skill, "Attack Skill:", 0, 0, 1000},
    {Editor::Skill, "Aim Accuracy:", 0, 8, 1000},
    {Editor::Skill, "View Max Change:", 0, 16, 1},
    {Editor::Skill, "Firethrottle:", 0, 24, 1000},
    {Editor::Skill, "Aim Skill:", 0, 4, 1000},
    {Editor::Skill, "View Factor:", 0, 12, 1000},
    {Editor::Skill, "Reaction Time:", 0, 20, 100},

    {Editor::WeaponAim, "Machinegun:", 0, 28, 1000},
    {Editor::WeaponAim, "Rocket Launcher:", 0, 36, 1000},
    {Editor::WeaponAim, "Lightning Gun:", 0, 44, 1000},
    {Editor::WeaponAim, "Railgun:", 0, 52, 1000},
    {Editor::WeaponAim, "Shotgun:", 0, 32, 1000},
    {Editor::WeaponAim, "Grenade Launcher:", 0, 40, 1000},
    {Editor::WeaponAim, "Plasma Gun:", 0, 48, 1000},
    {Editor::WeaponAim, "BFG10K:", 0, 56, 1000},
    {Editor::WeaponAim, "Rocket Launcher:", 1, 60, 1000},
    {Editor::WeaponAim, "Plasma Gun:", 1, 68, 1000},
    {Editor::WeaponAim, "Grenade Launcher:", 1, 64, 1000},
    {Editor::WeaponAim, "BFG10K:", 1, 72, 1000},

    {Editor::Personality, "Croucher:", 0, 76, 1000},
    {Editor::Personality, "Walker:", 0, 84, 1000},
    {Editor::Personality, "Grapple User:", 0, 92, 1000},
    {Editor::Personality, "Self Preservation:", 0, 100, 1000},
    {Editor::Personality, "Camper:", 0, 108, 1000},
    {Editor::Personality, "Alertness:", 0, 116, 1000},
    {Editor::Personality, "Jumper:", 0, 80, 1000},
    {Editor::Personality, "Weapon Jumper:", 0, 88, 1000},
    {Editor::Personality, "Aggression:", 0, 96, 1000},
    {Editor::Personality, "Vengefulness:", 0, 104, 1000},
    {Editor::Personality, "Easy Fragger:", 0, 112, 1000},

    {Editor::WeaponWeights, "Gauntlet:", 0, 320, 1},
    {Editor::WeaponWeights, "Machinegun:", 0, 328, 1},
    {Editor::WeaponWeights, "Rocket Launcher:", 0, 336, 1},
    {Editor::WeaponWeights, "BFG10K:", 0, 344, 1},
    {Editor::WeaponWeights, "Plasma Gun:", 0, 352, 1},
    {Editor::WeaponWeights, "Shotgun:", 0, 324, 1},
    {Editor::WeaponWeights, "Grenade Launcher:", 0, 332, 1},
    {Editor::WeaponWeights, "Railgun:", 0, 340, 1},
    {Editor::WeaponWeights, "Lightning Gun:", 0, 348, 1},
    {Editor::WeaponWeights, "Grapple:", 0, 356, 1},

    {Editor::ItemWeights, "Health:", 0, 192, 1},
    {Editor::ItemWeights, "Armor:", 0, 196, 1},
    {Editor::ItemWeights, "Flag:", 0, 200, 1},

    {Editor::InitialWeapons, "Machinegun:", 0, 240, 1},
    {Editor::InitialWeapons, "Rocket Launcher:", 0, 248, 1},
    {Editor::InitialWeapons, "BFG10K:", 0, 256, 1},
    {Editor::InitialWeapons, "Plasma Gun:", 0, 264, 1},
    {Editor::InitialWeapons, "Shotgun:", 0, 236, 1},
    {Editor::InitialWeapons, "Grenade Launcher:", 0, 244, 1},
    {Editor::InitialWeapons, "Railgun:", 0, 252, 1},
    {Editor::InitialWeapons, "Lightning Gun:", 0, 260, 1},

    {Editor::CollectedWeapons, "Machinegun:", 0, 272, 1},
    {Editor::CollectedWeapons, "Rocket Launcher:", 0, 280, 1},
    {Editor::CollectedWeapons, "BFG10K:", 0, 288, 1},
    {Editor::CollectedWeapons, "Plasma Gun:", 0, 296, 1},
    {Editor::CollectedWeapons, "Shotgun:", 0, 268, 1},
    {Editor::CollectedWeapons, "Grenade Launcher:", 0, 276, 1},
    {Editor::CollectedWeapons, "Railgun:", 0, 284, 1},
    {Editor::CollectedWeapons, "Lightning Gun:", 0, 292, 1},

    {Editor::Powerups, "Teleporter:", 0, 204, 1},
    {Editor::Powerups, "Quad Damge:", 0, 212, 1},
    {Editor::Powerups, "Haste:", 0, 220, 1},
    {Editor::Powerups, "Regeneration:", 0, 228, 1},
    {Editor::Powerups, "Medkit:", 0, 208, 1},
    {Editor::Powerups, "Battle Suit:", 0, 216, 1},
    {Editor::Powerups, "Invisibility:", 0, 224, 1},
    {Editor::Powerups, "Flight:", 0, 232, 1},

    {Editor::ChatSettings, "Characters Per Minute:", 0, 120, 1},
    {Editor::ChatSettings, "Misc.:", 0, 128, 1000},
    {Editor::ChatSettings, "Enter/Exit Game:", 0, 136, 1000},
    {Editor::ChatSettings, "Death:", 0, 144, 1000},
    {Editor::ChatSettings, "Hit Talking:", 0, 152, 1000},
    {Editor::ChatSettings, "Hit No Kill:", 0, 160, 1000},
    {Editor::ChatSettings, "Reply:", 0, 168, 1000},
    {Editor::ChatSettings, "Insults:", 0, 124, 1000},
    {Editor::ChatSettings, "Start/End Level:", 0, 132, 1000},
    {Editor::ChatSettings, "Kill:", 0, 140, 1000},
    {Editor::ChatSettings, "Enemy Suicide:", 0, 148, 1000},
    {Editor::ChatSettings, "Hit No Death:", 0, 156, 1000},
    {Editor::ChatSettings, "Random:", 0, 164, 1000},
};

// Skill 4, the second block, starts at byte 22860 of the image.
constexpr int kSkill4 = 22860;

// The bytes of the image that differ between two images.
QList<int> ChangedBytes(const QByteArray& before, const QByteArray& after) {
    QList<int> changed;
    for (int i = 0; i < before.size(); ++i)
        if (before[i] != after[i])
            changed << i;
    return changed;
}

std::int32_t Int32At(const QByteArray& image, int offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(image[offset + i]);
    return static_cast<std::int32_t>(value);
}

// The text box of the row with this label in the editor, found by the
// labels the editor shows.
QLineEdit* BoxOf(ui::SliderEditorDialog& editor, const QString& label, int occurrence) {
    for (std::size_t i = 0; i < editor.rowCount(); ++i)
        if (editor.label(i)->text() == label && occurrence-- == 0)
            return editor.textBox(i);
    return nullptr;
}

} // namespace

class EditorBindingsTest : public QObject {
    Q_OBJECT

private slots:
    void everyRowStoresExactlyItsField();
    void chatNameAndChatLinesStoreExactlyTheirBytes();
};

void EditorBindingsTest::everyRowStoresExactlyItsField() {
    BotProfile profile = MakeProfile("Ranger");
    // The chat settings editor's OK also stores the chat name it shows:
    // keep that one as stored.
    SetFieldText(profile.skill[1].chat_name, "ranger");
    AppSettings settings;
    settings.TabSkill = true;
    settings.SkillLevel = 4;
    settings.WeightsSkillLevel = 4;
    ScriptedPrompts prompts;
    ui::SkillSettingsDialog skill(profile, settings, prompts, nullptr);
    ui::PersonalitySettingsDialog personality(profile, settings, prompts, nullptr);
    ui::WeaponWeightsDialog weapons(profile, settings, prompts, nullptr);
    ui::ItemWeightsDialog items(profile, settings, prompts, nullptr);
    ui::ChatSettingsDialog chat(profile, settings, prompts, nullptr);
    const std::map<Editor, ui::SliderEditorDialog*> editors = {
        {Editor::Skill, &skill},
        {Editor::WeaponAim, skill.weaponAimDialog()},
        {Editor::Personality, &personality},
        {Editor::WeaponWeights, &weapons},
        {Editor::ItemWeights, &items},
        {Editor::InitialWeapons, items.initialWeaponWeightsDialog()},
        {Editor::Powerups, items.initialPowerupWeightsDialog()},
        {Editor::CollectedWeapons, items.collectedWeaponWeightsDialog()},
        {Editor::ChatSettings, &chat},
    };

    std::map<Editor, std::size_t> rows;
    for (const Bound& bound : kBound) {
        ++rows[bound.editor];
        ui::SliderEditorDialog& editor = *editors.at(bound.editor);
        const QByteArray before = ImageBytes(profile);
        editor.show();
        QLineEdit* box = BoxOf(editor, QLatin1String(bound.label), bound.occurrence);
        QVERIFY2(box != nullptr, bound.label);
        // 7 stored units, written as the box writes them (so that a later
        // opening shows the same text).
        const char* seven = bound.scale == 1000 ? ".007" : bound.scale == 100 ? ".070" : "7";
        box->selectAll();
        QTest::keyClicks(box, seven);
        editor.okButton()->click();
        QVERIFY(!editor.isVisible());

        const QByteArray after = ImageBytes(profile);
        const int at = kSkill4 + bound.offset;
        QCOMPARE(Int32At(after, at), 7);
        for (int changed : ChangedBytes(before, after))
            QVERIFY2(changed >= at && changed < at + 4, bound.label);
    }
    // No editor has a row the table does not bind.
    for (const auto& [id, editor] : editors)
        QCOMPARE(editor->rowCount(), rows[id]);
}

void EditorBindingsTest::chatNameAndChatLinesStoreExactlyTheirBytes() {
    BotProfile profile = MakeProfile("Ranger");
    AppSettings settings;
    settings.TabSkill = true;
    settings.SkillLevel = 4;
    settings.WeightsSkillLevel = 4;
    settings.OkCancel = false;
    ScriptedPrompts prompts;

    // "Chat name:" is the 20 bytes at 380 of the block.
    ui::ChatSettingsDialog chat(profile, settings, prompts, nullptr);
    QByteArray before = ImageBytes(profile);
    chat.show();
    chat.chatNameBox()->setText(QStringLiteral("talker"));
    chat.okButton()->click();
    QByteArray after = ImageBytes(profile);
    QCOMPARE(after.mid(kSkill4 + 380, 7), QByteArray("talker\0", 7));
    for (int changed : ChangedBytes(before, after))
        QVERIFY(changed >= kSkill4 + 380 && changed < kSkill4 + 400);

    // "Response n:" of category c is line n - 1 of that category: 80 bytes
    // at 400 + c * 800 + (n - 1) * 80 of the block.
    ProfileExtras extras;
    ui::ChatConvosDialog convos(profile, extras, settings, prompts, nullptr);
    before = ImageBytes(profile);
    ModalScript script;
    script.then([&](QDialog* dialog) {
        for (int category = 0; category < 28; ++category) {
            ModalScript inner;
            inner.then([&, category](QDialog* responses) {
                convos.responsesDialog()
                    ->responseBox(category % 10)
                    ->setText(QStringLiteral("\"line %1\"").arg(category));
                ClickOk(responses);
            });
            convos.categoryButton(category)->click();
            QVERIFY(inner.allRan());
        }
        ClickOk(dialog);
    });
    ui::OpenEditor(convos, prompts, settings, nullptr);
    QVERIFY(script.allRan());
    after = ImageBytes(profile);
    QList<int> expected;
    for (int category = 0; category < 28; ++category) {
        const int at = kSkill4 + 400 + category * 800 + (category % 10) * 80;
        const QByteArray text = QStringLiteral("\"line %1\"").arg(category).toLatin1();
        QCOMPARE(after.mid(at, text.size() + 1), text + '\0');
        for (int i = 0; i < text.size(); ++i)
            expected << at + i;
    }
    QCOMPARE(ChangedBytes(before, after), expected);
}

QTEST_MAIN(EditorBindingsTest)
#include "tst_editor_bindings.moc"

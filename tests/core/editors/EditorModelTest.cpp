#include "core/editors/EditorModel.h"

#include "core/profile/ChatCategory.h"
#include "core/util/FixedText.h"

#include <cstddef>
#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace vexa {
namespace {

using Messages = std::vector<std::string_view>;

BotProfile DefaultProfile() {
    BotProfile profile = EmptyProfile();
    ApplyDefaults(profile);
    return profile;
}

std::size_t IndexOf(const EditorTable& table, std::string_view label) {
    for (std::size_t i = 0; i < table.bindings.size(); ++i)
        if (table.bindings[i].label == label)
            return i;
    ADD_FAILURE() << "no row " << label;
    return 0;
}

std::size_t OffsetOf(std::int32_t SkillProfile::*field) {
    static SkillProfile block{};
    return static_cast<std::size_t>(reinterpret_cast<const char*>(&(block.*field)) -
                                    reinterpret_cast<const char*>(&block));
}

TEST(EditorTables, EveryNumberOfABlockHasExactlyOneSliderAcrossTheEditors) {
    std::multiset<std::size_t> offsets;
    for (const EditorTable* table : kSliderEditors)
        for (const ValueBinding& b : table->bindings)
            offsets.insert(OffsetOf(b.field));
    std::set<std::size_t> expected;
    for (std::size_t o = 0; o < 172; o += 4)
        expected.insert(o);
    for (std::size_t o = 192; o < 300; o += 4)
        expected.insert(o);
    for (std::size_t o = 320; o < 360; o += 4)
        expected.insert(o);
    EXPECT_EQ(offsets.size(), expected.size());
    EXPECT_EQ(std::set<std::size_t>(offsets.begin(), offsets.end()), expected);
}

TEST(EditorTables, DigitsOnlyBoxesAreTheWeightsAndCharactersPerMinute) {
    for (const EditorTable* table : kSliderEditors) {
        for (const ValueBinding& b : table->bindings) {
            const bool weight = table->info.level == LevelSource::Weights;
            EXPECT_EQ(b.digitsOnly, weight || b.field == &SkillProfile::chat_cpm) << b.label;
            EXPECT_EQ(b.typingMovesSlider, b.field == &SkillProfile::attack_skill) << b.label;
        }
    }
}

// Every row tells what it does and ends with its range as the box shows it.
TEST(EditorTables, EveryTooltipEndsWithItsRange) {
    for (const EditorTable* table : kSliderEditors) {
        for (const ValueBinding& b : table->bindings) {
            const std::string range = "; 0 to " + std::to_string(b.slider.max / b.slider.scale);
            EXPECT_TRUE(b.tip.ends_with(range)) << b.label << ": " << b.tip;
            EXPECT_GT(b.tip.size(), range.size() + 20) << b.label;
        }
    }
}

// Without TabSkill only the Skill 1 weights and chat lines are written, so
// the weights editors and chat convos work there whatever WeightsSkillLevel
// holds (after General Settings it can follow a shown left strip).
TEST(EditorRules, WeightsEditorsWorkOnSkillOneWithoutTabSkill) {
    BotProfile profile = DefaultProfile();
    AppSettings s;
    s.TabSkill = false;
    s.BothTabs = true;
    s.SkillLevel = 4;
    s.WeightsSkillLevel = 5;
    EXPECT_EQ(EditorLevel(s, LevelSource::Weights), 1);
    EXPECT_EQ(EditorLevel(s, LevelSource::Skill), 4);

    SliderEditorModel weapons(kWeaponWeightsEditor);
    profile.skill[2].weapon_gauntlet = 400;
    weapons.Open(profile, s);
    EXPECT_EQ(weapons.text(IndexOf(kWeaponWeightsEditor, "Gauntlet:")), "5");
    weapons.SetText(IndexOf(kWeaponWeightsEditor, "Gauntlet:"), "77");
    ASSERT_TRUE(weapons.Store(profile, s));
    EXPECT_EQ(profile.skill[0].weapon_gauntlet, 77);
    EXPECT_EQ(profile.skill[2].weapon_gauntlet, 400);

    ChatConvosModel convos;
    ProfileExtras extras;
    SetFieldText(profile.skill[2].chat_lines[0][0], "five");
    convos.Open(profile, extras, s);
    EXPECT_EQ(convos.Responses(0), ChatResponses{});
    convos.SetResponses(0, {"one"});
    ASSERT_TRUE(convos.Store(profile, extras, s));
    EXPECT_EQ(FieldText(profile.skill[0].chat_lines[0][0]), "one");
    EXPECT_EQ(FieldText(profile.skill[2].chat_lines[0][0]), "five");

    s.TabSkill = true;
    EXPECT_EQ(EditorLevel(s, LevelSource::Weights), 5);
}

TEST(EditorRules, ApplyToAllButtonAndCaptionFollowTheOptions) {
    AppSettings s;
    s.SkillLevel = 5;
    s.WeightsSkillLevel = 4;
    s.TabSkill = false;
    s.ApplyAll = true;
    EXPECT_TRUE(ShowsApplyToAll(s, LevelSource::Skill));
    EXPECT_FALSE(ShowsApplyToAll(s, LevelSource::Weights));
    EXPECT_EQ(EditorCaption(s, kSkillSettingsEditor.info), "Nightmare Skill Level");
    EXPECT_EQ(EditorCaption(s, kWeaponWeightsEditor.info), "Adv Skills not currently enabled");
    EXPECT_EQ(EditorCaption(s, kChatConvosEditor), "Adv Skills not currently enabled");

    s.TabSkill = true;
    EXPECT_TRUE(ShowsApplyToAll(s, LevelSource::Weights));
    EXPECT_EQ(EditorCaption(s, kItemWeightsEditor.info), "Hardcore Skill Level");
    EXPECT_EQ(EditorCaption(s, kChatSettingsEditor.info), "Nightmare Skill Level");

    s.ApplyAll = false;
    EXPECT_FALSE(ShowsApplyToAll(s, LevelSource::Skill));
    EXPECT_FALSE(ShowsApplyToAll(s, LevelSource::Weights));

    s.SkillLevel = 3;
    EXPECT_EQ(EditorCaption(s, kPersonalitySettingsEditor.info), std::nullopt);
}

TEST(SliderEditorModel, OpeningShowsTheLevelsValuesClampedButNotSnapped) {
    BotProfile profile = DefaultProfile();
    AppSettings s;
    s.SkillLevel = 4;
    s.TabSkill = true;
    s.WeightsSkillLevel = 5;
    profile.skill[1].attack_skill = 437;
    profile.skill[1].aim_skill = 1234;
    profile.skill[1].view_factor = -20;
    profile.skill[2].weapon_railgun = 999;

    SliderEditorModel skill(kSkillSettingsEditor);
    skill.Open(profile, s);
    const std::vector<std::string> expected = {".437", "1.00", "240", "1.00",
                                               "1.00", "0.00", "1.75"};
    for (std::size_t i = 0; i < skill.size(); ++i)
        EXPECT_EQ(skill.text(i), expected[i]) << i;
    EXPECT_EQ(skill.position(IndexOf(kSkillSettingsEditor, "Aim Skill:")), 1000);

    SliderEditorModel weapons(kWeaponWeightsEditor);
    weapons.Open(profile, s);
    EXPECT_EQ(weapons.text(IndexOf(kWeaponWeightsEditor, "Railgun:")), "500");
    EXPECT_EQ(weapons.text(IndexOf(kWeaponWeightsEditor, "Gauntlet:")), "5");
}

TEST(SliderEditorModel, ReleasedSliderSnapsToItsLineSizeUnlessFineTune) {
    BotProfile profile = DefaultProfile();
    AppSettings s;
    SliderEditorModel chat(kChatSettingsEditor);
    chat.Open(profile, s);
    const std::size_t cpm = IndexOf(kChatSettingsEditor, "Characters Per Minute:");
    const std::size_t misc = IndexOf(kChatSettingsEditor, "Misc.:");

    chat.MoveSlider(cpm, 437);
    chat.MoveSlider(misc, 437);
    EXPECT_EQ(chat.text(cpm), "400"); // moving alone leaves the text
    chat.ReleaseSlider(cpm, false);
    chat.ReleaseSlider(misc, false);
    EXPECT_EQ(chat.position(cpm), 450);
    EXPECT_EQ(chat.text(cpm), "450");
    EXPECT_EQ(chat.text(misc), ".440");

    chat.MoveSlider(cpm, 437);
    chat.MoveSlider(misc, 437);
    chat.ReleaseSlider(cpm, true);
    chat.ReleaseSlider(misc, true);
    EXPECT_EQ(chat.text(cpm), "437");
    EXPECT_EQ(chat.text(misc), ".437");

    chat.MoveSlider(misc, 5000);
    EXPECT_EQ(chat.position(misc), 1000);
}

TEST(SliderEditorModel, OkStoresTheTextsIntoTheLevelReadAgain) {
    BotProfile profile = DefaultProfile();
    const BotProfile before = profile;
    AppSettings s;
    s.SkillLevel = 1;
    SliderEditorModel skill(kSkillSettingsEditor);
    skill.Open(profile, s);
    skill.MoveSlider(IndexOf(kSkillSettingsEditor, "Aim Accuracy:"), 870); // keys: text stays
    skill.SetText(IndexOf(kSkillSettingsEditor, "Aim Skill:"), "2");
    skill.SetText(IndexOf(kSkillSettingsEditor, "Reaction Time:"), ".500");
    skill.SetText(IndexOf(kSkillSettingsEditor, "View Max Change:"), "95");

    s.SkillLevel = 5; // the tab changed while the editor was open
    ASSERT_TRUE(skill.Store(profile, s));
    EXPECT_EQ(std::memcmp(&profile.skill[0], &before.skill[0], sizeof(SkillProfile)), 0);
    EXPECT_EQ(profile.skill[2].aim_accuracy, 250);
    EXPECT_EQ(profile.skill[2].aim_skill, 2000);
    EXPECT_EQ(profile.skill[2].reactiontime, 50);
    EXPECT_EQ(profile.skill[2].view_maxchange, 95);
    EXPECT_EQ(profile.skill[2].attack_skill, 250);

    skill.Open(profile, s); // beyond the range: shown at its end, stored as shown
    EXPECT_EQ(skill.text(IndexOf(kSkillSettingsEditor, "Aim Skill:")), "1.00");
    ASSERT_TRUE(skill.Store(profile, s));
    EXPECT_EQ(profile.skill[2].aim_skill, 1000);

    s.SkillLevel = 2;
    EXPECT_FALSE(skill.Store(profile, s));
}

TEST(SliderEditorModel, TypingMovesOnlyTheAttackSkillSlider) {
    BotProfile profile = DefaultProfile();
    AppSettings s;
    SliderEditorModel skill(kSkillSettingsEditor);
    skill.Open(profile, s);
    const std::size_t attack = IndexOf(kSkillSettingsEditor, "Attack Skill:");
    const std::size_t aim = IndexOf(kSkillSettingsEditor, "Aim Skill:");

    EXPECT_TRUE(skill.TypeText(attack, ".5"));
    EXPECT_EQ(skill.position(attack), 500);
    EXPECT_EQ(skill.text(attack), ".5");
    EXPECT_TRUE(skill.TypeText(attack, "7"));
    EXPECT_EQ(skill.position(attack), 1000);
    EXPECT_TRUE(skill.TypeText(attack, ""));
    EXPECT_EQ(skill.position(attack), 0);

    EXPECT_FALSE(skill.TypeText(aim, ".9"));
    EXPECT_EQ(skill.position(aim), 250);
}

TEST(SliderEditorModel, ApplyToAllStoresIntoEveryLevelOnlyOnYes) {
    BotProfile profile = DefaultProfile();
    AppSettings s;
    s.SkillLevel = 4;
    SliderEditorModel personality(kPersonalitySettingsEditor);
    personality.Open(profile, s);
    personality.SetText(IndexOf(kPersonalitySettingsEditor, "Camper:"), ".330");

    const BotProfile before = profile;
    EXPECT_EQ(personality.ApplyToAll(profile, false), Messages{kNotAppliedToAllMessage});
    EXPECT_EQ(std::memcmp(&profile, &before, sizeof profile), 0);

    EXPECT_EQ(personality.ApplyToAll(profile, true), Messages{kAppliedToAllMessage});
    for (int b = 0; b < 3; ++b) {
        EXPECT_EQ(profile.skill[b].camper, 330);
        EXPECT_EQ(profile.skill[b].jumper, 1000); // the Skill 4 value everywhere
        EXPECT_EQ(profile.skill[b].croucher, 100);
        EXPECT_EQ(profile.skill[b].attack_skill, before.skill[b].attack_skill); // not ours
    }
}

TEST(ChatSettingsModel, ProposesStoresAndAppliesTheChatName) {
    BotProfile profile = DefaultProfile();
    SetFieldText(profile.name, "Dr. Evil-Bot 2000");
    AppSettings s;
    s.SkillLevel = 4;
    SliderEditorModel chat(kChatSettingsEditor);
    chat.Open(profile, s);
    EXPECT_EQ(chat.chatName(), "drevilbot2");
    ASSERT_TRUE(chat.Store(profile, s));
    EXPECT_EQ(FieldText(profile.skill[1].chat_name), "drevilbot2");
    EXPECT_TRUE(FieldIsEmpty(profile.skill[0].chat_name));

    chat.SetChatName("");
    chat.Store(profile, s);
    chat.Open(profile, s);
    EXPECT_EQ(chat.chatName(), "drevilbot2");

    chat.SetChatName(std::string(40, 'x'));
    chat.SetText(IndexOf(kChatSettingsEditor, "Random:"), "2");
    chat.SetText(IndexOf(kChatSettingsEditor, "Characters Per Minute:"), "9000");
    const Messages expected{kNamesCopiedMessage, kAppliedToAllMessage};
    EXPECT_EQ(chat.ApplyToAll(profile, true), expected);
    for (const SkillProfile& block : profile.skill) {
        EXPECT_EQ(FieldText(block.chat_name), std::string(19, 'x'));
        EXPECT_EQ(block.chat_random, 2000);
        EXPECT_EQ(block.chat_cpm, 9000);
        EXPECT_EQ(block.chat_lines[0][0][0], '\0'); // the neighbour stays untouched
    }
    chat.Open(profile, s);
    EXPECT_EQ(chat.text(IndexOf(kChatSettingsEditor, "Characters Per Minute:")), "4000");
    EXPECT_EQ(chat.text(IndexOf(kChatSettingsEditor, "Random:")), "1.00");
}

TEST(ChatConvosModel, WorksOnACopyOfTheWeightsLevel) {
    BotProfile profile = DefaultProfile();
    ProfileExtras extras;
    SetFieldText(profile.skill[2].chat_lines[3][0], "\"old\"");
    SetFieldText(profile.skill[2].chat_name, "named");
    AppSettings s;
    s.SkillLevel = 1;
    s.TabSkill = true;
    s.WeightsSkillLevel = 5;
    ChatConvosModel convos;
    convos.Open(profile, extras, s);
    EXPECT_EQ(convos.Responses(3), ChatResponses{"\"old\""});
    EXPECT_EQ(convos.Responses(28), ChatResponses{}); // death_kamikaze, empty
    EXPECT_EQ(convos.Responses(-1), ChatResponses{});
    EXPECT_EQ(convos.situationCount(), 32u);

    ChatResponses lines(10);
    lines[0] = "\"hello\"";
    lines[9] = std::string(300, 'y');
    convos.SetResponses(20, lines);
    convos.SetResponses(3, ChatResponses{});
    convos.SetResponses(99, lines); // ignored
    EXPECT_EQ(convos.Responses(20).back(), std::string(255, 'y'));
    EXPECT_TRUE(FieldIsEmpty(profile.skill[2].chat_lines[20][0])); // only the copy changed

    ASSERT_TRUE(convos.Store(profile, extras, s));
    const SkillProfile& five = profile.skill[2];
    // The long line is kept beside the record, which holds the line that fits.
    EXPECT_EQ(FieldText(five.chat_lines[20][0]), "\"hello\"");
    EXPECT_TRUE(FieldIsEmpty(five.chat_lines[20][1]));
    EXPECT_TRUE(FieldIsEmpty(five.chat_lines[3][0]));
    EXPECT_TRUE(FieldIsEmpty(five.chat_lines[21][0])); // no spill into the next category
    EXPECT_EQ(FieldText(five.chat_name), "named");
    EXPECT_TRUE(FieldIsEmpty(profile.skill[0].chat_lines[20][0]));
    EXPECT_EQ(extras.levels[2].chat,
              (std::vector<KeptChat>{{"kill_rail", {"\"hello\"", std::string(255, 'y')}}}));
    convos.Open(profile, extras, s);
    EXPECT_EQ(convos.Responses(20), (ChatResponses{"\"hello\"", std::string(255, 'y')}));
}

TEST(ChatConvosModel, ApplyToAllCopiesEverySituationButNotTheNames) {
    BotProfile profile = DefaultProfile();
    ProfileExtras extras;
    extras.levels[0].chat.push_back({"mod_capture", {"\"flag\""}});
    SetFieldText(profile.skill[0].chat_name, "one");
    AppSettings s;
    s.WeightsSkillLevel = 4;
    s.TabSkill = true;
    ChatConvosModel convos;
    convos.Open(profile, extras, s);
    ChatResponses lines(3);
    lines[2] = "\"gg\"";
    convos.SetResponses(kChatCategoryCount - 1, lines);
    convos.SetResponses(convos.FindSituation("KILL_TEAMMATE"), {"\"oops\""});

    const BotProfile before = profile;
    const ProfileExtras extrasBefore = extras;
    EXPECT_EQ(convos.ApplyToAll(profile, extras, false), Messages{kNotAppliedToAllMessage});
    EXPECT_EQ(std::memcmp(&profile, &before, sizeof profile), 0);
    EXPECT_EQ(extras, extrasBefore);
    EXPECT_EQ(convos.ApplyToAll(profile, extras, true), Messages{kAppliedToAllMessage});
    for (std::size_t b = 0; b < 3; ++b) {
        EXPECT_EQ(FieldText(profile.skill[b].chat_lines[27][2]), "\"gg\"");
        // Every level now holds what the copy holds: the kept situation of
        // Skill 1 that the Skill 4 copy lacks is gone.
        EXPECT_EQ(extras.levels[b].chat, (std::vector<KeptChat>{{"kill_teammate", {"\"oops\""}}}));
    }
    EXPECT_EQ(FieldText(profile.skill[0].chat_name), "one");
}

} // namespace
} // namespace vexa

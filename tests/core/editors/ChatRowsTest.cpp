// How the lines of a chat situation are stored into the profile record and
// the extras kept beside it, and read back: through the Chat Convos
// editor's working copy and through the profile file.
#include "../../support/RandomExtras.h"
#include "core/editors/EditorModel.h"
#include "core/profile/ChatSituations.h"
#include "core/util/FixedText.h"

#include <cstring>
#include <gtest/gtest.h>

namespace vexa {
namespace {

// `text` in quotation marks. (Built in place: GCC 12 warns falsely of
// overlapping copies for a literal joined to a temporary string.)
std::string Quoted(std::string text) {
    text.insert(text.begin(), '"');
    text += '"';
    return text;
}

// Random rows as a user types them: empty ones, lines that fit the record's
// 79 characters and longer ones up to the game's 255.
std::vector<std::string> RandomRows(test::RandomExtrasMaker& random) {
    std::vector<std::string> rows;
    for (int n = random.Between(0, 25); n > 0; --n) {
        switch (random.Between(0, 5)) {
        case 0:
            rows.emplace_back();
            break;
        case 1:
            rows.push_back(Quoted(random.Word(80, 250)));
            break;
        default:
            rows.push_back(Quoted(random.Word(1, 70)));
            break;
        }
        if (random.Between(0, 2) == 0)
            break; // short lists are common
    }
    return rows;
}

std::vector<std::string> Filled(const std::vector<std::string>& rows) {
    std::vector<std::string> filled;
    for (const std::string& row : rows)
        if (!row.empty())
            filled.push_back(row);
    return filled;
}

// The record's lines of a situation as a reader of the record alone gets
// them: every slot zero-terminated within its field, the filled ones in order.
std::vector<std::string> ReadRecordLines(const std::string& image, int block, int category) {
    const BotProfile profile = ProfileFromImage(image);
    std::vector<std::string> lines;
    for (const auto& slot : profile.skill[block].chat_lines[category]) {
        EXPECT_NE(std::memchr(slot, '\0', sizeof slot), nullptr);
        if (slot[0] != '\0')
            lines.emplace_back(slot);
    }
    return lines;
}

TEST(ChatRows, RandomListsComeBackThroughTheProfileFileAndTheRecordStaysValid) {
    test::RandomExtrasMaker random(29);
    for (int round = 0; round < 400; ++round) {
        BotProfile profile = EmptyProfile();
        ApplyDefaults(profile);
        ProfileExtras extras = random.Extras();
        const int block = random.Between(0, 2);
        const int category = random.Between(0, kChatCategoryCount - 1);
        const std::vector<std::string> rows = RandomRows(random);
        const BotProfile before = profile;
        StoreChatRows(profile.skill[block], extras.levels[block], category, rows);

        // Load the file back as Load Bot does.
        const std::string image = ProfileImage(profile);
        ProfileExtras loaded;
        ASSERT_EQ(ReadExtrasBlock(ExtrasBlock(extras, image), image, loaded),
                  extras.empty() ? ExtrasStatus::None : ExtrasStatus::Read);
        const BotProfile read = ProfileFromImage(image);
        const LevelExtras& level = loaded.levels[block];

        // Rows that fit the record come back as they were, in their places;
        // others come back as their filled lines, all of them, in order.
        std::vector<std::string> fitting = rows;
        while (!fitting.empty() && fitting.back().empty())
            fitting.pop_back();
        const bool fits = fitting.size() <= 10 &&
                          std::all_of(fitting.begin(), fitting.end(),
                                      [](const std::string& row) { return row.size() <= 79; });
        EXPECT_EQ(ChatRowsOf(read.skill[block], level, category), fits ? fitting : Filled(rows))
            << "round " << round;
        EXPECT_EQ(ChatLinesOf(read.skill[block], level, category), Filled(rows));

        // The record holds the first ten lines that fit it.
        std::vector<std::string> firstTen;
        for (const std::string& line : Filled(rows))
            if (line.size() <= 79 && firstTen.size() < 10)
                firstTen.push_back(line);
        EXPECT_EQ(ReadRecordLines(image, block, category), firstTen) << "round " << round;
        // Nothing else of the record changed.
        BotProfile others = read;
        std::memcpy(others.skill[block].chat_lines[category],
                    before.skill[block].chat_lines[category],
                    sizeof others.skill[block].chat_lines[category]);
        EXPECT_EQ(ProfileImage(others), ProfileImage(before)) << "round " << round;
    }
}

TEST(ChatRows, SituationsWithoutASlotKeepTheirPlaceAndGoWhenEmptied) {
    LevelExtras level;
    level.chat = {{"mod_a", {"\"a\""}}, {"Death_Kamikaze", {"\"k\""}}, {"mod_b", {"\"b\""}}};
    StoreKeptRows(level, "death_kamikaze", {"\"x\"", "", "\"y\"", ""});
    StoreKeptRows(level, "mod_a", {"", ""});
    StoreKeptRows(level, "kill_teammate", {std::string(300, 'z') + "\n"});
    EXPECT_EQ(level.chat, (std::vector<KeptChat>{{"Death_Kamikaze", {"\"x\"", "\"y\""}},
                                                 {"mod_b", {"\"b\""}},
                                                 {"kill_teammate", {std::string(255, 'z')}}}));

    const std::vector<ChatSituationRows> situations = ChatSituationsOf(SkillProfile{}, level);
    ASSERT_EQ(situations.size(), 33u);
    EXPECT_EQ(situations[23].name, "enemy_suicide");
    EXPECT_EQ(situations[28], (ChatSituationRows{"death_kamikaze", -1, {"\"x\"", "\"y\""}}));
    EXPECT_EQ(situations[29].rows, std::vector<std::string>{});
    EXPECT_EQ(situations[32], (ChatSituationRows{"mod_b", -1, {"\"b\""}}));
    EXPECT_EQ(ChatSituationCaption("DEATH_TEAMMATE"), "Death Teammate");
    EXPECT_EQ(ChatSituationCaption("kill_suicide"), "Kill Suicide");
    EXPECT_EQ(ChatSituationCaption("mod_b"), "mod_b");
}

TEST(ChatConvosModel, OpeningAndStoringUnchangedLeavesTheBotAsItWas) {
    test::RandomExtrasMaker random(5);
    AppSettings s;
    s.TabSkill = true;
    for (int round = 0; round < 50; ++round) {
        BotProfile profile = EmptyProfile();
        ApplyDefaults(profile);
        ProfileExtras extras = random.Extras();
        for (SkillProfile& block : profile.skill)
            for (int l = 0; l < 10; l += random.Between(1, 4))
                SetFieldText(block.chat_lines[random.Between(0, 27)][l], random.Word(1, 79));
        s.WeightsSkillLevel = kSkillLevels[random.Between(0, 2)];
        const std::string image = ProfileImage(profile);
        const ProfileExtras kept = extras;
        ChatConvosModel convos;
        convos.Open(profile, extras, s);
        // The editor hands back at least ten rows, empty ones included.
        for (int i = 0; i < static_cast<int>(convos.situationCount()); ++i) {
            ChatResponses rows = convos.Responses(i);
            rows.resize(std::max<std::size_t>(rows.size(), 10));
            convos.SetResponses(i, rows);
        }
        ASSERT_TRUE(convos.Store(profile, extras, s));
        EXPECT_EQ(ProfileImage(profile), image);
        EXPECT_EQ(extras, kept);
    }
}

} // namespace
} // namespace vexa

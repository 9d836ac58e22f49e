// A bot whose files hold more than the profile record can is imported,
// saved, loaded and created again, and the game reads the same bot: the same
// characteristics at every level, the same weights, the same chat lines per
// situation and the same info keys. Random profiles with random extras
// write the same files after an import of their own files.
#include "../../support/RandomExtras.h"
#include "../../support/TempDir.h"
#include "ImportTestSupport.h"
#include "core/generate/FormatTables.h"
#include "core/generate/Writers.h"
#include "core/import/BotImport.h"
#include "core/import/ScriptReaders.h"
#include "core/profile/ChatCategory.h"
#include "core/util/AsciiText.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace vexa {
namespace {

const std::filesystem::path kLossless = std::filesystem::path(VEXA_IMPORT_FIXTURES) / "lossless";

// A number as the game reads it: whole or decimal, and its value.
std::string AsRead(const WrittenNumber& number) {
    if (number.integer)
        return "whole " + std::string(number.negative ? "-" : "") + std::to_string(number.whole);
    bool rounded = false;
    return "decimal " +
           std::to_string(ScaledValue(number, 6, rounded) * (number.negative ? -1 : 1));
}

std::string WeightAsRead(const std::string& value) {
    std::int64_t number = 0;
    bool rounded = false;
    if (!WeightNumber(value, number, rounded))
        return value;
    WrittenNumber written;
    written.integer = value.find('.') == std::string::npos;
    written.whole = static_cast<std::uint64_t>(number);
    written.text = value;
    return written.integer ? AsRead(written) : "decimal " + value;
}

std::string Read(const GameFileSource& source, const std::string& path) {
    std::string text;
    EXPECT_EQ(source.Read(path, text), GameFileSource::ReadResult::Read) << path;
    return text;
}

// What the game's library takes from a bot: for the levels 1, 4 and 5 the
// characteristics (by number), the weights each weights file defines and the
// files it includes, the chat lines of each situation (by name, without
// regard to case), and the keys of its info entry. With `fileNames`, the
// names of the weight and chat files too.
std::map<std::string, std::string> WhatTheGameReads(const GameFileSource& source,
                                                    const BotEntry& bot, bool fileNames) {
    std::map<std::string, std::string> read;
    read["info name"] = bot.name;
    read["info model"] = bot.model;
    read["info aifile"] = bot.aifile;
    for (const auto& [key, value] : bot.otherKeys)
        read["info " + AsciiLower(key)] = value;
    const CharacterFile character = ReadCharacterFile(Read(source, "botfiles/" + bot.aifile));
    for (const SkillBlock& block : character.blocks) {
        const std::string level = "skill " + std::to_string(static_cast<int>(block.level)) + " ";
        std::string chatFile, chatName;
        for (const CharacterEntry& entry : block.entries) {
            const CharacteristicFormat* format = CharacteristicOf(entry);
            const std::string key = format ? std::to_string(format->index) : entry.index;
            const auto weights = [&](std::string_view script, const std::string& file) {
                const WeightsFile weights =
                    ReadWeightsFile(Read(source, "botfiles/" + entry.text), script);
                for (const WeightValue& define : weights.defines)
                    read[level + file + define.name] = WeightAsRead(define.value);
                std::string& includes = read[level + file + "includes"];
                for (const std::string& include : weights.includesBefore)
                    includes += include + " ";
                includes += "... ";
                for (const std::string& include : weights.includesAfter)
                    includes += include + " ";
            };
            // File names are compared by what they hold, and by name when
            // they are kept.
            const TextValue text = format ? format->text : TextValue::None;
            if (fileNames && text != TextValue::None && text != TextValue::ChatName &&
                text != TextValue::Name && text != TextValue::Gender)
                read[level + "file " + key] = entry.text;
            if (text == TextValue::WeaponWeights)
                weights(kWeaponWeightsScript, "weapon ");
            else if (text == TextValue::ItemWeights)
                weights(kItemWeightsScript, "item ");
            else if (text != TextValue::ChatFile)
                read[level + key] = entry.isText ? "text " + entry.text : AsRead(entry.number);
            if (!format || !entry.isText)
                continue;
            if (text == TextValue::ChatFile)
                chatFile = entry.text;
            else if (text == TextValue::ChatName)
                chatName = entry.text;
        }
        const ChatFile chat = ReadChatFile(Read(source, "botfiles/" + chatFile), chatName);
        EXPECT_TRUE(chat.found) << chatName;
        for (const ChatType& type : chat.types) {
            // The game's enemy_suicide, which files of earlier designers
            // called kill_suicide.
            std::string name = AsciiLower(type.name);
            if (name == "kill_suicide")
                name = "enemy_suicide";
            std::string& lines = read[level + "chat " + name];
            for (const ChatLineText& line : type.lines)
                lines += line.text + "\n";
        }
    }
    // Blocks 2 and 3 are never read; the designer keeps 1, 4 and 5.
    std::erase_if(read, [](const auto& entry) {
        return entry.first.starts_with("skill 2 ") || entry.first.starts_with("skill 3 ");
    });
    return read;
}

// The bot of a generate run, from its info file.
BotEntry GeneratedBot(const MemoryFiles& files) {
    const BotInfoFile info = ReadBotInfoFile(files.files().back().text);
    EXPECT_EQ(info.blocks.size(), 1u);
    if (info.blocks.empty())
        return {};
    const BotInfoBlock& block = info.blocks[0];
    return {block.name, block.model, block.aifile, "", "", 0, block.otherKeys};
}

std::string Differences(const std::map<std::string, std::string>& before,
                        const std::map<std::string, std::string>& after) {
    std::string text;
    for (const auto& [key, value] : before) {
        const auto found = after.find(key);
        if (found == after.end())
            text += key + ": lost (was " + value + ")\n";
        else if (found->second != value)
            text += key + ": " + value + " became " + found->second + "\n";
    }
    return text;
}

TEST(LosslessRoundTrip, HandMadeBotComesBackAsTheGameReadsIt) {
    const FolderFileSource fixture(kLossless);
    const std::vector<BotEntry> bots = ListBots(fixture);
    ASSERT_EQ(bots.size(), 1u);
    ASSERT_EQ(WhatTheGameReads(fixture, bots[0], false).at("skill 5 1"), "text female");
    ASSERT_EQ(WhatTheGameReads(fixture, bots[0], false).at("info funname"), "^4Sir ^7Lance");

    for (const auto& [tabSkill, keepFileNames] :
         {std::pair{true, false}, {false, false}, {true, true}}) {
        const std::map<std::string, std::string> original =
            WhatTheGameReads(fixture, bots[0], keepFileNames);
        const ImportResult imported = ImportBot(fixture, bots[0], {keepFileNames});
        ASSERT_TRUE(imported.ok) << imported.error;
        // Only the rounding of values to the editors' steps is left to say,
        // and the values the files lack.
        for (const ReportEntry& entry : imported.report)
            EXPECT_TRUE(entry.text.find("rounded") != std::string::npos ||
                        entry.text.starts_with("missing"))
                << ReportLine(entry);

        // Saved and loaded.
        test::TempDir dir;
        ASSERT_EQ(WriteProfileFile(imported.profile, imported.extras, dir.file("k.vxb")), 0);
        BotProfile profile = EmptyProfile();
        ProfileExtras extras;
        ExtrasStatus status{};
        ASSERT_EQ(ReadProfileFile(profile, extras, dir.file("k.vxb"), status), 0);
        ASSERT_EQ(status, ExtrasStatus::Read);

        // Created again.
        MemoryFiles files;
        AppSettings settings = test::Settings(tabSkill);
        ASSERT_EQ(GenerateSource(profile, settings, PathStyle::Posix, files, {}, extras), 0);
        MemoryFileSource created;
        test::AddGenerated(created, files.files());
        // The game lists the bot: its .bot file is in the scripts folder,
        // not in a folder named after the model (knight/red).
        const std::vector<BotEntry> listed = ListBots(created);
        ASSERT_EQ(listed.size(), 1u);
        EXPECT_EQ(listed[0].infoFile, "scripts/knight_red.bot");
        std::map<std::string, std::string> after =
            WhatTheGameReads(created, listed[0], keepFileNames);
        if (!tabSkill) // every block names the Skill 1 files
            for (const char* level : {"skill 4 ", "skill 5 "})
                std::erase_if(after, [level](const auto& e) {
                    return e.first.starts_with(level) && e.first.find("chat ") != std::string::npos;
                });
        std::map<std::string, std::string> expected = original;
        if (!tabSkill)
            std::erase_if(expected, [](const auto& e) {
                return !e.first.starts_with("skill 1") &&
                       e.first.find("chat ") != std::string::npos;
            });
        EXPECT_EQ(Differences(expected, after), "")
            << "TabSkill " << tabSkill << ", file names " << keepFileNames;
    }
}

// Files written from a random profile with random extras, imported with
// their file names, write the same files again.
TEST(LosslessRoundTrip, RandomExtrasWriteTheSameFiles) {
    test::RandomBots bots(99);
    test::RandomExtrasMaker random(1999);
    for (int run = 0; run < 60; ++run) {
        BotProfile profile = bots.Profile();
        ProfileExtras extras = random.Extras();
        if (!extras.name.empty())
            SetFieldText(profile.name, extras.name.substr(0, 19));
        if (!extras.model.empty())
            SetFieldText(profile.model_name, extras.model.substr(0, 9));
        // Whole file names are written while their fields hold their cut.
        if (!extras.mainFile.empty())
            SetFieldText(profile.main_file, extras.mainFile.substr(0, 19));
        for (std::size_t b = 0; b < 3; ++b) {
            const LevelExtras& level = extras.levels[b];
            SkillProfile& block = profile.skill[b];
            if (!level.weaponWeightsFile.empty())
                SetFieldText(block.weaponweights, level.weaponWeightsFile.substr(0, 19));
            if (!level.itemWeightsFile.empty())
                SetFieldText(block.itemweights, level.itemWeightsFile.substr(0, 19));
            if (!level.chatFile.empty())
                SetFieldText(block.chat_file, level.chatFile.substr(0, 19));
        }
        for (std::size_t b = 0; b < 3; ++b) {
            std::vector<KeptChat> kept = std::move(extras.levels[b].chat);
            extras.levels[b].chat.clear();
            for (const KeptChat& chat : kept) {
                if (const int c = ChatCategoryIndex(chat.situation); c >= 0)
                    SetChatLines(profile.skill[b], extras.levels[b], c, chat.lines);
                else
                    extras.levels[b].chat.push_back(chat);
            }
        }
        for (const bool tabSkill : {false, true}) {
            MemoryFiles first;
            AppSettings settings = test::Settings(tabSkill);
            ASSERT_EQ(GenerateSource(profile, settings, PathStyle::Posix, first, {}, extras), 0);
            // The extras are in the files.
            for (const auto& [key, value] : extras.infoKeys)
                EXPECT_NE(first.files().back().text.find(key + "\t\t" + value), std::string::npos);
            for (const KeptChat* situation : ExtraSituations(extras.levels[0]))
                EXPECT_NE(first.files()[3].text.find("type \"" + situation->situation + "\""),
                          std::string::npos)
                    << first.files()[3].path;
            MemoryFileSource source;
            test::AddGenerated(source, first.files());
            const ImportResult imported = ImportBot(source, GeneratedBot(first), {true});
            ASSERT_TRUE(imported.ok) << imported.error;
            EXPECT_EQ(ReportText(imported.report), "") << "run " << run;

            MemoryFiles second;
            settings = test::Settings(tabSkill);
            ASSERT_EQ(GenerateSource(imported.profile, settings, PathStyle::Posix, second, {},
                                     imported.extras),
                      0);
            ASSERT_EQ(second.files().size(), first.files().size());
            for (std::size_t i = 0; i < first.files().size(); ++i)
                ASSERT_EQ(second.files()[i].text, first.files()[i].text)
                    << first.files()[i].path << ", run " << run << ", TabSkill " << tabSkill;
        }
    }
}

} // namespace
} // namespace vexa

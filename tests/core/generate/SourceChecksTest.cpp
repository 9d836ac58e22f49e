#include "TestSupport.h"
#include "core/generate/GameFolder.h"
#include "core/generate/GenerateSource.h"
#include "core/generate/Names.h"
#include "core/generate/SourcePreview.h"
#include "core/generate/Writers.h"
#include "core/util/FileIO.h"
#include "core/util/FixedText.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;
using test::TempFolder;

void PutFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

AppSettings WindowsSettings(bool tabSkill) {
    AppSettings settings;
    ResetSettings(settings);
    settings.BaseDir = "C:\\game\\base";
    settings.TabSkill = tabSkill;
    return settings;
}

AppSettings SettingsFor(const TempFolder& game, bool tabSkill = false) {
    AppSettings settings;
    ResetSettings(settings);
    settings.BaseDir = game.slashed();
    settings.TabSkill = tabSkill;
    return settings;
}

// The same in the path style of this system, with the base folder written
// the way the user would type it there.
constexpr PathStyle kNative = NativePathStyle();

std::string Native(const std::string& path) {
    return WithSeparators(path, kNative);
}

AppSettings NativeSettingsFor(const TempFolder& game, bool tabSkill = false) {
    AppSettings settings = SettingsFor(game, tabSkill);
    settings.BaseDir = Native(game.slashed());
    return settings;
}

constexpr int kDeathRail = 16;

TEST(GenerateChatCheck, AnUnreadableLineStopsTheCommandBeforeAnyFile) {
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.skill[1].chat_lines[kDeathRail][2], "Hello everyone");

    // With TabSkill off only the Skill 1 lines are written, and checked.
    test::RecordingFiles off;
    AppSettings settings = WindowsSettings(false);
    EXPECT_EQ(GenerateSource(profile, settings, PathStyle::Windows, off), 0);

    test::RecordingFiles on;
    settings = WindowsSettings(true);
    EXPECT_EQ(GenerateSource(profile, settings, PathStyle::Windows, on), 43);
    EXPECT_TRUE(on.writtenPaths.empty());
    EXPECT_EQ(GenerateFailureMessage(43, profile, settings),
              "Source not created, a chat line cannot be read by the game:\n"
              "Skill 4, Death Rail, response 3: expected a comma after the name Hello");
    // The profile's own checks come first.
    BotProfile noMain = profile;
    SetFieldText(noMain.main_file, "");
    EXPECT_EQ(GenerateSource(noMain, settings, PathStyle::Windows, on), 16);

    // Random strings, known or not, never stop it; nor does the check when
    // it is turned off.
    SetFieldText(profile.skill[1].chat_lines[kDeathRail][2], "\"Nice \", nosuchstring");
    test::RecordingFiles fine;
    EXPECT_EQ(GenerateSource(profile, settings, PathStyle::Windows, fine), 0);
    EXPECT_EQ(fine.writtenPaths.size(), 11u);
    SetFieldText(profile.skill[2].chat_lines[0][9], "'x'");
    GenerateGuards unchecked;
    unchecked.checkChatLines = false;
    EXPECT_EQ(GenerateSource(profile, settings, PathStyle::Windows, fine, unchecked), 0);
}

TEST(GenerateChatCheck, FindingsListEveryWrittenLineInOrder) {
    BotProfile profile = test::RangerProfile();
    for (SkillProfile& block : profile.skill) {
        SetFieldText(block.chat_lines[0][0], "\"fine\", food");
        SetFieldText(block.chat_lines[27][9], "unquoted text");
    }
    const RandomStringNames names = {"drink"};
    const std::vector<ChatLineFinding> off = CheckChatLinesToWrite(profile, false, &names);
    ASSERT_EQ(off.size(), 2u);
    EXPECT_EQ(ChatFindingReportLine(off[0]),
              "Skill 1, game_enter, line 1: warning: food is not a random string of the game's "
              "botfiles/rnd.c: the message comes out incomplete");
    EXPECT_EQ(ChatFindingReportLine(off[1]),
              "Skill 1, random_misc, line 10: error: expected a comma after the name unquoted");
    const std::vector<ChatLineFinding> on = CheckChatLinesToWrite(profile, true);
    ASSERT_EQ(on.size(), 3u);
    EXPECT_EQ(ChatFindingPlace(on[2]), "Skill 5, Random Misc, response 10");
    EXPECT_EQ(FirstUnreadableChatLine(test::RangerProfile(), true), std::nullopt);
}

TEST(OtherBotsFiles, ReplacingAnotherBotsCharacterFileIsAsked) {
    TempFolder game;
    const fs::path characterFile = game.path() / "botfiles" / "bots" / "ranger_c.c";
    BotProfile old = test::RangerProfile();
    SetFieldText(old.name, "Old Ranger");
    PutFile(characterFile, CharacterFileText(old, false));
    const std::string before = ReadWholeFile(characterFile);

    BotProfile profile = test::RangerProfile();
    std::vector<std::string> asked;
    GenerateGuards guards;
    guards.replaceOtherBot = [&asked](const OtherBotFile& file) {
        asked.push_back(ReplaceOtherBotQuestion(file));
        return false;
    };
    AppSettings settings = NativeSettingsFor(game);
    DiskFiles disk;
    EXPECT_EQ(GenerateSource(profile, settings, kNative, disk, guards), kGenerateDeclined);
    EXPECT_EQ(asked, (std::vector<std::string>{"ranger_c.c in " +
                                               Native(game.slashed() + "botfiles/bots/") +
                                               " belongs to the bot Old Ranger. "
                                               "Replace that bot's files?"}));
    EXPECT_EQ(ReadWholeFile(characterFile), before);
    EXPECT_FALSE(fs::exists(game.path() / "scripts"));
    EXPECT_EQ(GenerateFailureMessage(kGenerateDeclined, profile, settings), "");

    // Yes replaces it; then the file is this bot's and nobody is asked.
    guards.replaceOtherBot = [&asked](const OtherBotFile&) {
        asked.push_back("yes");
        return true;
    };
    EXPECT_EQ(GenerateSource(profile, settings, kNative, disk, guards), 0);
    EXPECT_EQ(ReadWholeFile(characterFile),
              WithLineEnds(CharacterFileText(profile, false), LineEnds::Platform));
    EXPECT_EQ(GenerateSource(profile, settings, kNative, disk, guards), 0);
    EXPECT_EQ(asked.size(), 2u);

    EXPECT_EQ(CharacterFileBotName("skill 1 { CHARACTERISTIC_NAME \"A \" \"B\" }"), "A B");
    EXPECT_EQ(CharacterFileBotName("CHARACTERISTIC_NAME 5"), std::nullopt);
    EXPECT_EQ(CharacterFileBotName("\"unclosed CHARACTERISTIC_NAME \"x\""), std::nullopt);
}

TEST(OtherBotsFiles, BotFilesNamingTheSameBotOrCharacterFileAreReported) {
    EXPECT_EQ(
        BotInfoEntries("// two bots\n{\n name\t\tRanger // first\n"
                       " model \"ranger/default\"\n aifile bots/ranger_c.c\n}\n"
                       "{ name \"Sarge\" aifile x\n aifile \"bots\\sarge_c.c\" }"),
        (std::vector<BotInfoEntry>{{"Ranger", "bots/ranger_c.c"}, {"Sarge", "bots\\sarge_c.c"}}));

    TempFolder game;
    AppSettings settings = SettingsFor(game);
    const BotProfile profile = test::RangerProfile();
    EXPECT_TRUE(DuplicateBotWarnings(profile, settings, PathStyle::Posix).empty());
    PutFile(game.path() / "scripts" / "ranger.bot", BotInfoFileText(profile)); // its own
    PutFile(game.path() / "scripts" / "copy.bot", "{ name ranger aifile bots/copy_c.c }");
    PutFile(game.path() / "scripts" / "other.BOT", "{\nname Other\naifile BOTS\\Ranger_c.c\n}");
    PutFile(game.path() / "scripts" / "fine.bot", "{\nname Fine\naifile bots/fine_c.c\n}");
    EXPECT_EQ(DuplicateBotWarnings(profile, settings, PathStyle::Posix),
              (std::vector<std::string>{
                  "scripts/copy.bot also names the bot ranger: the game would list the bot twice",
                  "scripts/other.BOT (the bot Other) uses the same character file "
                  "BOTS\\Ranger_c.c: the game would load one bot's files for both"}));
}

TEST(GameFolder, RandomStringsComeFromTheLooseRndCFoundWithoutRegardToCase) {
    TempFolder game;
    EXPECT_EQ(ReadRandomStringNames(game.slashed()), std::nullopt);
    PutFile(game.path() / "BotFiles" / "RND.c", "food = { \"pizza\"; }\ndrink { \"tea\"; }");
    EXPECT_EQ(ReadRandomStringNames(game.slashed()), (RandomStringNames{"drink", "food"}));
    EXPECT_EQ(FindLooseGameFile(game.slashed(), "botfiles/../botfiles/rnd.c"), std::nullopt);
    EXPECT_EQ(ReadExistingFile((game.path() / "BotFiles" / "RND.c").string(), 10), std::nullopt);
}

TEST(SourcePreview, ListsTheFilesWithTheirStateAndTheChatFindings) {
    TempFolder game;
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.skill[0].chat_lines[3][0], "\"Good game, \", drink");
    SetFieldText(profile.skill[2].chat_lines[20][1], "Nice shot");
    AppSettings settings = NativeSettingsFor(game, true);

    SourcePreview preview = PreviewSource(profile, settings, kNative);
    ASSERT_EQ(preview.result, 0);
    ASSERT_EQ(preview.files.size(), 11u);
    EXPECT_EQ(preview.files.front().path, Native(game.slashed() + "botfiles/bots/ranger_c.c"));
    EXPECT_EQ(preview.files.back().path, Native(game.slashed() + "scripts/ranger.bot"));
    for (const SourcePreview::File& file : preview.files)
        EXPECT_EQ(file.state, SourcePreview::FileState::New) << file.path;
    EXPECT_TRUE(preview.HasChatErrors());
    ASSERT_EQ(preview.chat.size(), 1u); // no rnd.c: nothing known of random strings
    EXPECT_FALSE(preview.randomStringsKnown);
    EXPECT_EQ(ChatFindingText(preview.chat[0]),
              "Skill 5, Kill Rail, response 2: expected a comma after the name Nice");
    EXPECT_EQ(settings.BaseDir, Native(game.slashed())); // the settings are left alone
    EXPECT_TRUE(fs::is_empty(game.path()));              // nothing written
    // What the bot keeps beyond the record is previewed as it is written.
    ProfileExtras extras;
    extras.infoKeys.emplace_back("funname", "Ranger");
    EXPECT_NE(PreviewSource(profile, settings, kNative, std::nullopt, extras)
                  .files.back()
                  .text.find("funname\t\tRanger\n"),
              std::string::npos);

    // Written, the same files are unchanged; a changed value changes one.
    SetFieldText(profile.skill[2].chat_lines[20][1], "\"Nice shot\"");
    AppSettings run = settings;
    ASSERT_EQ(GenerateSource(profile, run, kNative), 0);
    PutFile(game.path() / "botfiles" / "rnd.c", "food { \"x\"; }");
    profile.skill[1].weapon_railgun += 1;
    preview = PreviewSource(profile, settings, kNative);
    std::vector<std::string> states;
    for (const SourcePreview::File& file : preview.files)
        states.emplace_back(FileStateText(file.state));
    EXPECT_EQ(states,
              (std::vector<std::string>{"unchanged", "unchanged", "unchanged", "unchanged",
                                        "would change", "unchanged", "unchanged", "unchanged",
                                        "unchanged", "unchanged", "unchanged"}));
    EXPECT_FALSE(preview.HasChatErrors());
    EXPECT_TRUE(preview.randomStringsKnown);
    ASSERT_EQ(preview.chat.size(), 1u);
    EXPECT_FALSE(preview.chat[0].error);

    // Another bot's character file is marked.
    SetFieldText(profile.name, "Ranger Two");
    preview = PreviewSource(profile, settings, kNative);
    EXPECT_EQ(preview.files.front().otherBot, "Ranger");
    EXPECT_EQ(preview.files.front().state, SourcePreview::FileState::Changed);
    EXPECT_EQ(preview.files[1].otherBot, "");

    // The profile's own checks stop the preview as they stop the command.
    SetFieldText(profile.gender, "");
    preview = PreviewSource(profile, settings, kNative);
    EXPECT_EQ(preview.result, 15);
    EXPECT_EQ(preview.message, "You need a gender for this Bot");
    EXPECT_TRUE(preview.files.empty());
}

} // namespace
} // namespace vexa

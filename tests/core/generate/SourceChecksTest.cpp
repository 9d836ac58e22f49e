#include "TestSupport.h"
#include "ZipFixtures.h"
#include "core/archive/GameFolderSource.h"
#include "core/generate/GenerateSource.h"
#include "core/generate/Names.h"
#include "core/generate/SourcePreview.h"
#include "core/generate/Writers.h"
#include "core/profile/ChatSituations.h"
#include "core/util/FileIO.h"
#include "core/util/FixedText.h"

#include <algorithm>
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

    // Without the game's rnd.c random strings are not known and stop nothing;
    // nor does the check when it is turned off.
    SetFieldText(profile.skill[1].chat_lines[kDeathRail][2], "\"Nice \", nosuchstring");
    test::RecordingFiles fine;
    EXPECT_EQ(GenerateSource(profile, settings, PathStyle::Windows, fine), 0);
    EXPECT_EQ(fine.writtenPaths.size(), 11u);
    SetFieldText(profile.skill[2].chat_lines[0][9], "'x'");
    GenerateGuards unchecked;
    unchecked.checkChatLines = false;
    EXPECT_EQ(GenerateSource(profile, settings, PathStyle::Windows, fine, unchecked), 0);
}

TEST(GenerateChatCheck, ARandomStringTheGamesRndCLacksStopsTheCommand) {
    // The game says nothing for such a line: it is refused like an unreadable one.
    TempFolder game;
    test::WriteZip((game.path() / "pak0.pk3").string(),
                   {{"botfiles/rnd.c", "food { \"pizza\"; }\n"}});
    const BaseFolderSource view(game.slashed());
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.skill[0].chat_lines[kDeathRail][2], "\"Nice \", food");
    AppSettings settings = NativeSettingsFor(game);
    GenerateGuards guards;
    guards.game = &view;
    test::RecordingFiles files;
    EXPECT_EQ(GenerateSource(profile, settings, kNative, files, guards), 0);

    SetFieldText(profile.skill[0].chat_lines[kDeathRail][2], "\"Nice \", nosuchstring");
    EXPECT_EQ(GenerateSource(profile, settings, kNative, files, guards), 43);
    EXPECT_EQ(GenerateFailureMessage(43, profile, settings, &view),
              "Source not created, a chat line cannot be read by the game:\n"
              "Skill 1, Death Rail, response 3: nosuchstring is not a random string of the "
              "game's botfiles/rnd.c: the game says nothing when the bot picks this line");
    const SourcePreview preview = PreviewSource(profile, settings, kNative, view);
    EXPECT_TRUE(preview.randomStringsKnown);
    EXPECT_TRUE(preview.HasChatErrors());

    // A loose rnd.c wins over the archive's.
    PutFile(game.path() / "botfiles" / "rnd.c", "nosuchstring { \"x\"; }");
    files.writtenPaths.clear();
    EXPECT_EQ(GenerateSource(profile, settings, kNative, files, guards), 0);
    EXPECT_EQ(files.writtenPaths.size(), 5u);
}

TEST(GenerateChatCheck, FindingsListEveryWrittenLineInOrder) {
    BotProfile profile = test::RangerProfile();
    for (SkillProfile& block : profile.skill) {
        SetFieldText(block.chat_lines[0][0], "\"fine\", food");
        SetFieldText(block.chat_lines[27][9], "unquoted text");
    }
    const RandomStringNames names = {"drink"};
    const std::vector<ChatLineFinding> off =
        CheckChatLinesToWrite(profile, NoExtras(), false, &names);
    ASSERT_EQ(off.size(), 2u);
    EXPECT_EQ(ChatFindingReportLine(off[0]),
              "Skill 1, game_enter, line 1: error: food is not a random string of the game's "
              "botfiles/rnd.c: the game says nothing when the bot picks this line");
    EXPECT_EQ(ChatFindingReportLine(off[1]),
              "Skill 1, random_misc, line 10: error: expected a comma after the name unquoted");
    const std::vector<ChatLineFinding> on = CheckChatLinesToWrite(profile, NoExtras(), true);
    ASSERT_EQ(on.size(), 3u);
    EXPECT_EQ(ChatFindingPlace(on[2]), "Skill 5, Random Misc, response 10");
    EXPECT_EQ(FirstUnreadableChatLine(test::RangerProfile(), NoExtras(), true), std::nullopt);
}

// Lines kept beside the record (beyond its ten, or of a situation it has no
// slot for) are written, so they are checked and refused as the record's are.
TEST(GenerateChatCheck, KeptLinesAreCheckedAndRefusedAsTheRecordsAre) {
    BotProfile profile = test::RangerProfile();
    ProfileExtras extras;
    std::vector<std::string> rail(11, "\"ok\"");
    rail.push_back("Hello everyone");
    StoreChatRows(profile.skill[0], extras.levels[0], kDeathRail, rail);
    extras.levels[0].chat.push_back({"death_kamikaze", {"\"fine\"", "\"Boom \", nosuchstring"}});
    EXPECT_EQ(FirstUnreadableChatLine(profile, NoExtras(), false), std::nullopt);

    AppSettings settings = WindowsSettings(false);
    test::RecordingFiles files;
    EXPECT_EQ(GenerateSource(profile, settings, PathStyle::Windows, files, {}, extras), 43);
    EXPECT_TRUE(files.writtenPaths.empty());
    EXPECT_EQ(GenerateFailureMessage(43, profile, settings, nullptr, PathStyle::Windows, extras),
              "Source not created, a chat line cannot be read by the game:\n"
              "Skill 1, Death Rail, response 12: expected a comma after the name Hello");

    // With the game's random strings known, the kept situation's line is an error too.
    TempFolder game;
    PutFile(game.path() / "botfiles" / "rnd.c", "food { \"pizza\"; }\n");
    const BaseFolderSource view(game.slashed());
    const RandomStringNames names = {"food"};
    const std::vector<ChatLineFinding> findings =
        CheckChatLinesToWrite(profile, extras, false, &names);
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(ChatFindingReportLine(findings[0]),
              "Skill 1, death_rail, line 12: error: expected a comma after the name Hello");
    EXPECT_EQ(ChatFindingPlace(findings[1]), "Skill 1, Death Kamikaze, response 2");
    EXPECT_EQ(findings[1].situation, "death_kamikaze");
    EXPECT_EQ(findings[1].category, -1);

    // Preview marks both; the same profile without the bad lines passes.
    const SourcePreview preview =
        PreviewSource(profile, NativeSettingsFor(game), kNative, view, extras);
    EXPECT_EQ(std::count_if(preview.chat.begin(), preview.chat.end(),
                            [](const ChatLineFinding& f) { return f.error; }),
              2);
    rail.back() = "\"Hello everyone\"";
    StoreChatRows(profile.skill[0], extras.levels[0], kDeathRail, rail);
    StoreKeptRows(extras.levels[0], "death_kamikaze", {"\"fine\""});
    EXPECT_EQ(FirstUnreadableChatLine(profile, extras, false, &names), std::nullopt);
    EXPECT_EQ(GenerateSource(profile, settings, PathStyle::Windows, files, {}, extras), 0);
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
    const BaseFolderSource view(game.slashed());
    guards.game = &view;
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
}

TEST(OtherBotsFiles, BotFilesNamingTheSameBotOrCharacterFileAreReported) {
    TempFolder game;
    AppSettings settings = NativeSettingsFor(game);
    const BaseFolderSource view(game.slashed());
    const BotProfile profile = test::RangerProfile();
    EXPECT_TRUE(DuplicateBotWarnings(profile, settings, kNative, view).empty());
    PutFile(game.path() / "scripts" / "ranger.bot", BotInfoFileText(profile)); // its own
    PutFile(game.path() / "scripts" / "copy.bot", "{ name ranger aifile bots/copy_c.c }");
    PutFile(game.path() / "scripts" / "other.BOT", "{\nname Other\naifile BOTS\\Ranger_c.c\n}");
    PutFile(game.path() / "scripts" / "fine.bot", "{\nname Fine\naifile bots/fine_c.c\n}");
    PutFile(game.path() / "scripts" / "zz.bot", "{\nname RANGER\naifile bots/zz_c.c\n}");
    EXPECT_EQ(DuplicateBotWarnings(profile, settings, kNative, view),
              (std::vector<std::string>{
                  "The game already lists a bot named ranger (scripts/copy.bot): it adds the "
                  "first bot of a name only and leaves this one out",
                  "scripts/other.BOT (the bot Other) uses the same character file "
                  "BOTS\\Ranger_c.c: the game would load one bot's files for both",
                  "scripts/zz.bot also names the bot RANGER: the game adds the first bot of a "
                  "name only, this one, and leaves that one out"}));
}

// A stock bot, listed in scripts/bots.txt inside the game's archive, as the
// game sees it.
void PutStockBrute(const TempFolder& game) {
    BotProfile brute = test::RangerProfile();
    SetFieldText(brute.name, "Brute");
    SetFieldText(brute.main_file, "brute_c.c");
    test::WriteZip((game.path() / "pak0.pk3").string(),
                   {{"scripts/bots.txt", "{\nname Brute\nmodel brute\naifile bots/brute_c.c\n}\n"},
                    {"botfiles/bots/brute_c.c", CharacterFileText(brute, false)}});
}

TEST(OtherBotsFiles, TheGamesOwnBotsInItsArchivesCount) {
    TempFolder game;
    PutStockBrute(game);
    const BaseFolderSource view(game.slashed());
    const std::string pak = Utf8FromPath(game.path() / "pak0.pk3");
    AppSettings settings = NativeSettingsFor(game);
    settings.BaseDir = NormalBaseDir(settings.BaseDir, kNative);

    // A bot of a name the game lists already is left out by the game.
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.name, "brute");
    EXPECT_EQ(DuplicateBotWarnings(profile, settings, kNative, view),
              (std::vector<std::string>{"The game already lists a bot named Brute "
                                        "(scripts/bots.txt in " +
                                        pak +
                                        "): it adds the first bot of a name only and "
                                        "leaves this one out"}));

    // The imported Brute renamed Brutus, with the main file still Brute's:
    // its character file takes the place of the stock one, and the game
    // would load it for Brute as well. Create Arvon source asks first.
    SetFieldText(profile.name, "Brutus");
    SetFieldText(profile.main_file, "brute_c.c");
    const std::optional<OtherBotFile> other =
        OtherBotsCharacterFile(profile, settings, kNative, view);
    ASSERT_TRUE(other.has_value());
    EXPECT_EQ(other->bot, "Brute");
    EXPECT_EQ(other->archive, pak);
    EXPECT_EQ(ReplaceOtherBotQuestion(*other),
              "botfiles/bots/brute_c.c in " + pak +
                  " belongs to the bot Brute. The brute_c.c written in " +
                  Native(game.slashed() + "botfiles/bots/") +
                  " takes its place in the game. Replace that bot's files?");
    const SourcePreview preview = PreviewSource(profile, settings, kNative, view);
    ASSERT_EQ(preview.result, 0);
    EXPECT_EQ(preview.files.front().otherBot, "Brute");
    EXPECT_EQ(preview.files.front().otherBotArchive, pak);
    EXPECT_EQ(preview.duplicates,
              (std::vector<std::string>{"scripts/bots.txt in " + pak +
                                        " (the bot Brute) uses the same character file "
                                        "bots/brute_c.c: the game would load one bot's files "
                                        "for both"}));

    GenerateGuards guards;
    guards.game = &view;
    std::vector<std::string> asked;
    guards.replaceOtherBot = [&asked](const OtherBotFile& file) {
        asked.push_back(file.bot);
        return false;
    };
    DiskFiles disk;
    EXPECT_EQ(GenerateSource(profile, settings, kNative, disk, guards), kGenerateDeclined);
    EXPECT_EQ(asked, std::vector<std::string>{"Brute"});
    EXPECT_FALSE(fs::exists(game.path() / "botfiles" / "bots" / "brute_c.c"));

    // Under its own name the bot replaces the stock Brute without a question.
    SetFieldText(profile.name, "Brute");
    EXPECT_EQ(OtherBotsCharacterFile(profile, settings, kNative, view), std::nullopt);
}

// A name longer than its field is kept whole and written whole: the bot's
// own files, written before, are its own, not another bot's.
TEST(OtherBotsFiles, ABotWithAKeptLongNameOwnsItsFiles) {
    TempFolder game;
    BotProfile profile = test::RangerProfile();
    ProfileExtras extras;
    extras.name = "Sir Lancelot of the Lake";
    SetFieldText(profile.name, extras.name.substr(0, sizeof profile.name - 1));
    AppSettings settings = NativeSettingsFor(game, true);
    const BaseFolderSource view(game.slashed());
    GenerateGuards guards;
    guards.game = &view;
    int asked = 0;
    guards.replaceOtherBot = [&asked](const OtherBotFile&) {
        ++asked;
        return false;
    };
    DiskFiles disk;
    for (int run = 0; run < 2; ++run)
        ASSERT_EQ(GenerateSource(profile, settings, kNative, disk, guards, extras), 0) << run;
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(OtherBotsCharacterFile(profile, settings, kNative, view, extras), std::nullopt);
    EXPECT_EQ(PreviewSource(profile, settings, kNative, view, extras).duplicates,
              std::vector<std::string>{});
}

TEST(SourcePreview, ListsTheFilesWithTheirStateAndTheChatFindings) {
    TempFolder game;
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.skill[0].chat_lines[3][0], "\"Good game, \", drink");
    SetFieldText(profile.skill[2].chat_lines[20][1], "Nice shot");
    AppSettings settings = NativeSettingsFor(game, true);
    const BaseFolderSource view(game.slashed());

    SourcePreview preview = PreviewSource(profile, settings, kNative, view);
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
    EXPECT_NE(PreviewSource(profile, settings, kNative, view, extras)
                  .files.back()
                  .text.find("funname\t\tRanger\n"),
              std::string::npos);

    // Written, the same files are unchanged; a changed value changes one.
    SetFieldText(profile.skill[2].chat_lines[20][1], "\"Nice shot\"");
    AppSettings run = settings;
    ASSERT_EQ(GenerateSource(profile, run, kNative), 0);
    PutFile(game.path() / "botfiles" / "rnd.c", "food { \"x\"; }");
    profile.skill[1].weapon_railgun += 1;
    preview = PreviewSource(profile, settings, kNative, view);
    std::vector<std::string> states;
    for (const SourcePreview::File& file : preview.files)
        states.emplace_back(FileStateText(file.state));
    EXPECT_EQ(states,
              (std::vector<std::string>{"unchanged", "unchanged", "unchanged", "unchanged",
                                        "would change", "unchanged", "unchanged", "unchanged",
                                        "unchanged", "unchanged", "unchanged"}));
    // The game's rnd.c lacks the random string drink: the line is an error.
    EXPECT_TRUE(preview.HasChatErrors());
    EXPECT_TRUE(preview.randomStringsKnown);
    ASSERT_EQ(preview.chat.size(), 1u);
    EXPECT_EQ(ChatFindingPlace(preview.chat[0]), "Skill 1, Level End, response 1");

    // Another bot's character file is marked.
    SetFieldText(profile.name, "Ranger Two");
    preview = PreviewSource(profile, settings, kNative, view);
    EXPECT_EQ(preview.files.front().otherBot, "Ranger");
    EXPECT_EQ(preview.files.front().state, SourcePreview::FileState::Changed);
    EXPECT_EQ(preview.files[1].otherBot, "");

    // The profile's own checks stop the preview as they stop the command.
    SetFieldText(profile.gender, "");
    preview = PreviewSource(profile, settings, kNative, view);
    EXPECT_EQ(preview.result, 15);
    EXPECT_EQ(preview.message, "You need a gender for this Bot");
    EXPECT_TRUE(preview.files.empty());
}

} // namespace
} // namespace vexa

// The rules behind the option and location dialogs and the tab strips.
#include "TempDir.h"
#include "core/generate/Names.h"
#include "core/profile/BotProfile.h"
#include "core/settings/AppSettings.h"
#include "core/settings/LevelRules.h"
#include "core/settings/LocationRules.h"
#include "core/util/FixedText.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <utility>

namespace vexa {
namespace {

BotProfile NamedProfile(const char* name) {
    BotProfile profile = EmptyProfile();
    ApplyDefaults(profile);
    SetFieldText(profile.name, name);
    return profile;
}

TEST(FolderFieldTest, PromptShownOnlyForEmptyFolderAndNeverStored) {
    EXPECT_EQ(FolderFieldText("", kBaseDirPrompt), "Enter Base Model Directory Here");
    EXPECT_EQ(FolderFieldText("C:\\quake\\", kBaseDirPrompt), "C:\\quake\\");
    EXPECT_EQ(FolderFieldText("", kVexaDirPrompt), "Enter .vxb Directory Here");

    std::string folder;
    StoreFolderField(folder, kBaseDirPrompt, kBaseDirPrompt);
    EXPECT_EQ(folder, "");
    StoreFolderField(folder, "/games/arvon", kBaseDirPrompt);
    EXPECT_EQ(folder, "/games/arvon");
    StoreFolderField(folder, kBaseDirPrompt, kBaseDirPrompt);
    EXPECT_EQ(folder, "/games/arvon");
    // The other folder's prompt is ordinary text here.
    StoreFolderField(folder, kVexaDirPrompt, kBaseDirPrompt);
    EXPECT_EQ(folder, kVexaDirPrompt);
    StoreFolderField(folder, "", kBaseDirPrompt);
    EXPECT_EQ(folder, "");
}

TEST(NameProposalTest, ModelNameAndMainFile) {
    BotProfile profile = NamedProfile("Mr. Smith-Jones");
    EXPECT_EQ(MainFileProposal(profile), "mrsmithjon_c.c");
    // The ten-character form is one too long for the model name field.
    EXPECT_EQ(ModelNameProposal(profile), "mrsmithjo");

    SetFieldText(profile.model_name, "rng");
    SetFieldText(profile.main_file, "ranger_c.c");
    EXPECT_EQ(ModelNameProposal(profile), "rng");
    EXPECT_EQ(MainFileProposal(profile), "ranger_c.c");

    BotProfile unnamed = NamedProfile("");
    EXPECT_EQ(ModelNameProposal(unnamed), "");
    EXPECT_EQ(MainFileProposal(unnamed), "botname_c.c");

    // Only the empty name becomes "botname"; punctuation alone leaves nothing.
    BotProfile punctuation = NamedProfile("-.-");
    EXPECT_EQ(MainFileProposal(punctuation), "_c.c");
    EXPECT_EQ(ModelNameProposal(punctuation), "");
}

TEST(FileLocationsTest, ProposalsFollowTabSkillAndLevel) {
    AppSettings settings;
    const BotProfile unnamed = NamedProfile("");
    EXPECT_EQ(FileLocationsShown(unnamed, settings),
              (FileLocations{"bots/botname_w.c", "bots/botname_t.c", "bots/botname_i.c"}));

    // Punctuation only: the form is empty, so "botname" stands in here too.
    EXPECT_EQ(FileLocationsShown(NamedProfile("!!"), settings).chat, "bots/botname_t.c");

    settings.TabSkill = true;
    settings.SkillLevel = 4;
    const BotProfile ranger = NamedProfile("Ranger");
    EXPECT_EQ(FileLocationsShown(ranger, settings),
              (FileLocations{"bots/ranger_w4.c", "bots/ranger_t4.c", "bots/ranger_i4.c"}));

    // A ten-character form with a level digit loses a letter of the name,
    // never of its ending.
    const BotProfile longName = NamedProfile("Sir Blade-Runner 2000");
    settings.SkillLevel = 5;
    EXPECT_EQ(FileLocationsShown(longName, settings),
              (FileLocations{"bots/sirblader_w5.c", "bots/sirblader_t5.c", "bots/sirblader_i5.c"}));
    settings.TabSkill = false;
    EXPECT_EQ(FileLocationsShown(longName, settings).chat, "bots/sirbladeru_t.c");
}

TEST(FileLocationsTest, EveryProposalFitsItsFieldAndKeepsItsEnding) {
    AppSettings settings;
    for (const char* name : {"", "A", "Ironmaiden", "Sir Blade-Runner 2000", "xxxxxxxxxxxxxxxxxxx"})
        for (const bool tabSkill : {false, true})
            for (const int level : {1, 4, 5}) {
                settings.TabSkill = tabSkill;
                settings.SkillLevel = level;
                const FileLocations shown = FileLocationsShown(NamedProfile(name), settings);
                const std::string digit = tabSkill ? std::to_string(level) : "";
                for (const auto& [text, kind] :
                     {std::pair{shown.weaponWeights, "_w"}, std::pair{shown.chat, "_t"},
                      std::pair{shown.itemWeights, "_i"}}) {
                    EXPECT_LE(text.size(), 19u) << text;
                    EXPECT_TRUE(text.starts_with("bots/")) << text;
                    EXPECT_TRUE(text.ends_with(kind + digit + ".c")) << text;
                    EXPECT_GT(text.size(), 5 + digit.size() + 4) << text; // some name is left
                }
            }
}

TEST(ModelNameTest, AcceptedProposalKeepsTheDefaultModel) {
    BotProfile profile = NamedProfile("Iron Maiden");
    EXPECT_EQ(ModelNameProposal(profile), "ironmaide");
    EXPECT_EQ(ModelNameToStore(profile, "ironmaide"), "");
    EXPECT_EQ(BotModel(profile), "ironmaiden");
    // Anything else typed is stored as typed.
    EXPECT_EQ(ModelNameToStore(profile, "ironmaid"), "ironmaid");
    EXPECT_EQ(ModelNameToStore(profile, ""), "");
    // A stored model stays what the user confirms, even the proposal's text.
    SetFieldText(profile.model_name, "sarge");
    EXPECT_EQ(ModelNameToStore(profile, "sarge"), "sarge");
    EXPECT_EQ(ModelNameToStore(profile, "ironmaide"), "ironmaide");
}

TEST(FolderRefusalTest, CommentMarksAndRelativeBaseFolders) {
    // A full path on this system: Windows wants the drive letter.
    const auto full = [](const char* folder) {
        return (NativePathStyle() == PathStyle::Windows ? std::string("C:") : std::string()) +
               folder;
    };
    EXPECT_EQ(FolderRefusal("", true), "");
    EXPECT_EQ(FolderRefusal(full("/games/arvon/base"), true), "");
    EXPECT_EQ(FolderRefusal("relative/base", false), "");
    EXPECT_NE(FolderRefusal("/games/*/base", false).find("\"/*\""), std::string::npos);
    EXPECT_NE(FolderRefusal(full("/games/arvon/*"), true), "");
    EXPECT_EQ(FolderRefusal(full("/games//arvon"), true), "");
    // A base folder that is a file is refused; a folder is taken.
    const test::TempDir dir;
    test::WriteWholeFile(dir.file("base"), "a file");
    EXPECT_EQ(FolderRefusal(dir.file("base"), true),
              "\"" + dir.file("base") +
                  "\" is a file, not a folder: the base folder must be a folder.");
    EXPECT_EQ(FolderRefusal(dir.path().string(), true), "");
    const std::string relative = FolderRefusal("arvon/base", true);
    EXPECT_NE(relative.find("full path"), std::string::npos);
    EXPECT_EQ(FolderRefusal("arvon/base", true), relative);

    // What the dialogs accept survives the settings file unchanged.
    for (const char* folder : {"/games/arvon/base/", "/a b/c-d/", "/x/a*b/", "/games//arvon/"}) {
        ASSERT_EQ(FolderRefusal(full(folder), true), "");
        AppSettings written;
        written.BaseDir = full(folder);
        std::istringstream in(SettingsFileText(written));
        std::string line;
        while (ReadConfigLine(in, line, true) == 0 && !line.starts_with("BaseDir ="))
            continue;
        EXPECT_EQ(std::filesystem::path(line.substr(10)).lexically_normal(),
                  std::filesystem::path(full(folder)).lexically_normal());
    }
}

TEST(ProfileFileTest, SaveProposalAndFooter) {
    EXPECT_EQ(ProfileFileProposal(NamedProfile("Mr. Smith-Jones")), "mrsmithjon.vxb");
    EXPECT_EQ(ProfileFileProposal(NamedProfile("")), "bot.vxb");
    EXPECT_EQ(ProfileFileProposal(NamedProfile("-.-")), "bot.vxb");

    AppSettings settings;
    FooterLines lines = FooterText(settings, "");
    EXPECT_EQ(lines.baseFolder, "Base folder: no base folder yet");
    EXPECT_EQ(lines.profileFile, "Profile file: none saved or loaded yet");
    settings.BaseDir = "/games/arvon/base";
    lines = FooterText(settings, "/home/me/ranger.vxb");
    EXPECT_EQ(lines.baseFolder, "Base folder: /games/arvon/base");
    EXPECT_EQ(lines.profileFile, "Profile file: /home/me/ranger.vxb");
    // The folder's normal form ends in a separator; the footer leaves it out
    // except for a root.
    for (const auto& [folder, shown] : {std::pair{"/games/arvon/base/", "/games/arvon/base"},
                                        std::pair{"/", "/"}, std::pair{"C:/", "C:/"}}) {
        settings.BaseDir = folder;
        EXPECT_EQ(FooterText(settings, "").baseFolder, std::string("Base folder: ") + shown);
    }
}

TEST(FileLocationsTest, StoredNamesShownOnceSkillOneHasThem) {
    AppSettings settings;
    settings.TabSkill = true;
    settings.SkillLevel = 4;
    BotProfile profile = NamedProfile("Ranger");

    StoreFileLocations(profile, 4, {"bots/a_w.c", "bots/a_t.c", "bots/a_i.c"});
    EXPECT_EQ(FieldText(profile.skill[1].weaponweights), "bots/a_w.c");
    EXPECT_EQ(FieldText(profile.skill[1].chat_file), "bots/a_t.c");
    EXPECT_EQ(FieldText(profile.skill[1].itemweights), "bots/a_i.c");
    EXPECT_TRUE(FieldIsEmpty(profile.skill[0].chat_file));
    EXPECT_TRUE(FieldIsEmpty(profile.skill[2].chat_file));
    // Skill 1 still holds nothing: the proposals come back.
    EXPECT_EQ(FileLocationsShown(profile, settings).chat, "bots/ranger_t4.c");

    // Once Skill 1 has a chat file, every level shows its own, even empty.
    SetFieldText(profile.skill[0].chat_file, "bots/one_t.c");
    settings.SkillLevel = 5;
    const FileLocations atFive = FileLocationsShown(profile, settings);
    EXPECT_EQ(atFive.chat, "");
    EXPECT_EQ(atFive.weaponWeights, "bots/ranger_w5.c");

    StoreFileLocationsForAll(profile, {"w", "t", "i"});
    for (const SkillProfile& block : profile.skill) {
        EXPECT_EQ(FieldText(block.weaponweights), "w");
        EXPECT_EQ(FieldText(block.chat_file), "t");
        EXPECT_EQ(FieldText(block.itemweights), "i");
    }
    EXPECT_EQ(FileLocationsShown(profile, settings), (FileLocations{"w", "t", "i"}));

    // Too long for the field: cut, never spilling into the next field.
    const std::int32_t healthBefore = profile.skill[0].item_fs_health;
    StoreFileLocations(profile, 1, {"w", "t", std::string(40, 'x')});
    EXPECT_EQ(FieldText(profile.skill[0].itemweights), std::string(19, 'x'));
    EXPECT_EQ(profile.skill[0].item_fs_health, healthBefore);

    // A level that does not exist stores nothing.
    StoreFileLocations(profile, 3, {"q", "q", "q"});
    EXPECT_EQ(FieldText(profile.skill[0].weaponweights), "w");
}

TEST(TabStripTest, RightStripCarriesTheLeftOnlyWhileTabsAreLinked) {
    AppSettings settings;
    SelectSkillTab(settings, 2);
    EXPECT_EQ(settings.SkillLevel, 5);
    EXPECT_EQ(settings.WeightsSkillLevel, 1); // TabSkill off

    settings.TabSkill = true;
    SelectSkillTab(settings, 1);
    EXPECT_EQ(settings.SkillLevel, 4);
    EXPECT_EQ(settings.WeightsSkillLevel, 4);

    settings.BothTabs = true;
    SelectSkillTab(settings, 2);
    EXPECT_EQ(settings.SkillLevel, 5);
    EXPECT_EQ(settings.WeightsSkillLevel, 4);
    SelectWeightsTab(settings, 0);
    EXPECT_EQ(settings.WeightsSkillLevel, 1);
    EXPECT_EQ(settings.SkillLevel, 5);

    SelectSkillTab(settings, 3);
    SelectSkillTab(settings, -1);
    SelectWeightsTab(settings, 7);
    EXPECT_EQ(settings.SkillLevel, 5);
    EXPECT_EQ(settings.WeightsSkillLevel, 1);

    EXPECT_EQ(TabOfLevel(4), 1);
    EXPECT_EQ(TabOfLevel(2), -1);
}

TEST(TabStripTest, LeftStripAtStartupNeedsBothFlags) {
    AppSettings settings;
    EXPECT_FALSE(WeightsTabShownAtStartup(settings));
    settings.BothTabs = true;
    EXPECT_FALSE(WeightsTabShownAtStartup(settings));
    settings.TabSkill = true;
    EXPECT_TRUE(WeightsTabShownAtStartup(settings));
    settings.BothTabs = false;
    EXPECT_FALSE(WeightsTabShownAtStartup(settings));
}

TEST(GeneralOptionsTest, StoringSetsWeightsLevelFromTabSkill) {
    AppSettings settings;
    settings.SkillLevel = 4;
    settings.WeightsSkillLevel = 5;

    GeneralOptions options = GeneralOptionsOf(settings);
    EXPECT_EQ(options, (GeneralOptions{false, false, true, false, true, true}));

    options.tabSkill = true;
    options.fineTune = true;
    options.okCancel = false;
    StoreGeneralOptions(settings, options);
    EXPECT_EQ(settings.WeightsSkillLevel, 4);
    EXPECT_TRUE(settings.TabSkill);
    EXPECT_TRUE(settings.FineTune);
    EXPECT_FALSE(settings.OkCancel);
    EXPECT_TRUE(settings.ApplyAll);
    EXPECT_TRUE(settings.BuildFold);
    EXPECT_FALSE(settings.BothTabs);
    EXPECT_EQ(GeneralOptionsOf(settings), options);

    options.tabSkill = false;
    options.bothTabs = true; // stored as given; the dialog's boxes prevent it
    options.applyAll = false;
    options.buildFold = false;
    StoreGeneralOptions(settings, options);
    EXPECT_EQ(settings.WeightsSkillLevel, 1);
    EXPECT_EQ(GeneralOptionsOf(settings), options);

    // The main window's follow-up: the left strip decides while BothTabs is on.
    EXPECT_TRUE(ApplyWeightsTabAfterSettings(settings, 2));
    EXPECT_EQ(settings.WeightsSkillLevel, 5);
    settings.BothTabs = false;
    EXPECT_FALSE(ApplyWeightsTabAfterSettings(settings, 1));
    EXPECT_EQ(settings.WeightsSkillLevel, 5);
}

TEST(LocationDialogs, NamesWindowsKeepsForDevicesAreRefusedInItsStyleOnly) {
    for (const char* name : {"con_c.c", "bots/ranger_w1", "Ranger", "C:\\games\\base\\"})
        EXPECT_EQ(EnteredNameRefusal(name, PathStyle::Windows), "") << name;
    for (const char* name : {"con.c", "bots/AUX", "Nul", "bots/com1.c", "C:\\lpt1\\base\\"}) {
        const std::string refusal = EnteredNameRefusal(name, PathStyle::Windows);
        EXPECT_NE(refusal.find("device name that Windows reserves"), std::string::npos) << name;
        EXPECT_EQ(EnteredNameRefusal(name, PathStyle::Posix), "") << name;
    }
    EXPECT_EQ(EnteredNameRefusal("bots/AUX.c", PathStyle::Windows).substr(0, 7), "\"AUX.c\"");

    // Characters Windows keeps out of file names; a colon only after a drive.
    for (const char* name : {"who?_c.c", "bots/a*b.c", "a|b", "bots/x<y", "x>y", "say\"hi\"",
                             "C:\\games\\ba:se", "bots:x_c.c", "1:\\base", "tab\there"}) {
        const std::string refusal = EnteredNameRefusal(name, PathStyle::Windows);
        EXPECT_NE(refusal.find("does not allow in file names"), std::string::npos) << name;
        EXPECT_EQ(EnteredNameRefusal(name, PathStyle::Posix), "") << name;
    }
}

} // namespace
} // namespace vexa

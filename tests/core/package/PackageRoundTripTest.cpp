// A bot package read back by the import gives the bot that was packed.
#include "TestSupport.h"
#include "core/archive/BotPackage.h"
#include "core/archive/GameFolderSource.h"
#include "core/import/BotImport.h"
#include "core/util/FileIO.h"
#include "core/util/FixedText.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace vexa {
namespace {

using test::TempFolder;

// Ranger with every block its own values and file names, so that nothing
// comes back from another level by accident.
BotProfile PackedRanger() {
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.model_name, "rng");
    SetFieldText(profile.gender, "Female");
    for (int block = 0; block < 3; ++block) {
        SkillProfile& level = profile.skill[block];
        const std::string digit = std::to_string(LevelOfBlock(block));
        level.attack_skill = 150 + 300 * block;
        level.reactiontime = 40 + block;
        level.weapon_railgun = 11 + block;
        level.item_w_quad = 201 - block;
        level.chat_cpm = 280 + block;
        SetFieldText(level.weaponweights, "bots/rw" + digit + ".c");
        SetFieldText(level.itemweights, "bots/ri" + digit + ".c");
        SetFieldText(level.chat_file, "bots/rt" + digit + ".c");
        SetFieldText(level.chat_name, "rangerchat" + digit);
        SetFieldText(level.chat_lines[0][0], "\"Hello from level " + digit + "\"");
        SetFieldText(level.chat_lines[27][0], "\"Bye \", 0, \"!\"");
    }
    return profile;
}

// The first byte at which two profile images differ, npos when they agree.
std::size_t FirstDifference(const std::string& a, const std::string& b) {
    const auto [at, ignored] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return at == a.end() && a.size() == b.size() ? std::string::npos
                                                 : static_cast<std::size_t>(at - a.begin());
}

// Exports `profile`, reads the package back through the import (keeping
// the file names) and returns the imported bot.
ImportResult ExportAndImport(const BotProfile& profile, const AppSettings& settings) {
    TempFolder out;
    const std::string path = (out.path() / "zz-ranger.pk3").string();
    ImportResult failed;
    if (ExportBotPackage(profile, settings, path) != 0) {
        failed.error = "not exported";
        return failed;
    }
    std::string error;
    const std::unique_ptr<ArchiveFileSource> source = ArchiveFileSource::Open(path, error);
    if (source == nullptr) {
        failed.error = error;
        return failed;
    }
    std::vector<ReportEntry> problems;
    const std::vector<BotEntry> bots = ListBots(*source, &problems);
    if (bots.size() != 1 || bots[0].name != "Ranger" || bots[0].model != "rng") {
        failed.error = "not the one bot packed\n" + ReportText(problems);
        return failed;
    }
    return ImportBot(*source, bots[0], {true});
}

TEST(BotPackageRoundTrip, TheImportOfThePackageGivesBackTheBot) {
    const BotProfile packed = PackedRanger();
    for (const bool tabSkill : {false, true}) {
        SCOPED_TRACE(tabSkill ? "TabSkill on" : "TabSkill off");
        AppSettings settings;
        ResetSettings(settings);
        settings.TabSkill = tabSkill;
        const ImportResult imported = ExportAndImport(packed, settings);
        ASSERT_TRUE(imported.ok) << imported.error;

        // Packing the imported bot again gives the same files.
        std::vector<PackageEntry> first;
        std::vector<PackageEntry> second;
        ASSERT_EQ(CollectBotPackage(packed, settings, first), 0);
        ASSERT_EQ(CollectBotPackage(imported.profile, settings, second), 0);
        ASSERT_EQ(first.size(), second.size());
        for (std::size_t i = 0; i < first.size(); ++i) {
            EXPECT_EQ(second[i].path, first[i].path);
            EXPECT_TRUE(second[i].bytes == first[i].bytes) << first[i].path;
        }

        // What a bot keeps beyond the record goes into the package too.
        ProfileExtras extras;
        extras.infoKeys.emplace_back("funname", "Ranger");
        extras.levels[0].chat.push_back({"kill_teammate", {"\"Sorry\""}});
        std::vector<PackageEntry> withExtras;
        ASSERT_EQ(CollectBotPackage(packed, settings, withExtras, extras), 0);
        ASSERT_EQ(withExtras.size(), first.size());
        EXPECT_NE(
            withExtras.back().bytes.find(WithLineEnds("funname\t\tRanger\n", LineEnds::Platform)),
            std::string::npos)
            << withExtras.back().path;
        bool situation = false;
        for (const PackageEntry& entry : withExtras)
            situation =
                situation || entry.bytes.find("type \"kill_teammate\"") != std::string::npos;
        EXPECT_TRUE(situation);

        // With a set of files per level the package holds every value of
        // the profile, so the very profile comes back.
        if (tabSkill) {
            const std::string want = ProfileImage(packed);
            const std::string got = ProfileImage(imported.profile);
            EXPECT_EQ(FirstDifference(want, got), std::string::npos)
                << "profile byte " << FirstDifference(want, got) << "\n"
                << ReportText(imported.report);
        }
    }
}

} // namespace
} // namespace vexa

// Every message is UTF-8: a bot named Zoë (Latin-1 in the profile and in the
// game's files) and a base folder named café (UTF-8, as folders are held)
// come out right in each kind of message.
#include "TestSupport.h"
#include "core/archive/BotPackage.h"
#include "core/archive/GameFolderSource.h"
#include "core/archive/PickedSource.h"
#include "core/generate/GenerateSource.h"
#include "core/generate/SourcePreview.h"
#include "core/import/BotImport.h"
#include "core/util/FixedText.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

namespace vexa {
namespace {

namespace fs = std::filesystem;

// Whether `text` is well-formed UTF-8 (a Latin-1 letter alone is not).
bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2)
                return false;
        i += length;
    }
    return true;
}

// `text` with every byte beyond ASCII as \xNN, for a failure's message.
std::string AsciiOnly(std::string_view text) {
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            shown += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            shown += hex;
        }
    }
    return shown;
}

void Write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(MessageEncoding, ZoeAndCafeAreShownRightInEveryKindOfMessage) {
    const std::string zoe = "Zo\xC3\xAB";   // as shown
    const std::string cafe = "caf\xC3\xA9"; // as shown
    test::TempFolder root;
    const fs::path base = root.path() / PathFromUtf8(cafe);
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.name, "Zo\xEB");
    SetFieldText(profile.model_name, "zoe");
    SetFieldText(profile.main_file, "zoe_c.c");
    AppSettings settings;
    settings.BaseDir = Utf8FromPath(base);

    // Another bot of that name, and an older bot in this bot's main file.
    Write(base / "scripts" / "other.bot", "{ name \"Zo\xEB Two\" aifile bots/zoe_c.c }\n");
    Write(base / "botfiles" / "bots" / "zoe_c.c",
          "skill 1 { CHARACTERISTIC_NAME \"Zo\xEB Old\" }\n");

    std::vector<std::string> messages;
    const auto shows = [&messages](const std::string& message, const std::string& part) {
        messages.push_back(message);
        EXPECT_NE(message.find(part), std::string::npos) << message;
    };

    // Generate results and warnings.
    const BaseFolderSource game(Utf8FromPath(base));
    GenerateGuards guards;
    guards.game = &game;
    guards.replaceOtherBot = [&](const OtherBotFile& file) {
        shows(ReplaceOtherBotQuestion(file), "the bot " + zoe + " Old");
        return true;
    };
    DiskFiles disk;
    AppSettings run = settings;
    ASSERT_EQ(GenerateSource(profile, run, NativePathStyle(), disk, guards), 0);
    shows(GenerateSuccessMessage(run), cafe);
    BotProfile model = profile;
    SetFieldText(model.model_name, "zo\xEB");
    shows(GenerateModelMessage(model), "zo\xC3\xAB");
    const std::vector<std::string> warnings =
        DuplicateBotWarnings(profile, run, NativePathStyle(), game);
    ASSERT_FALSE(warnings.empty());
    shows(warnings[0], "the bot " + zoe + " Two");

    BotProfile outside = profile;
    SetFieldText(outside.main_file, "../Zo\xEB_c.c");
    shows(GenerateFailureMessage(kNameOutsideBaseFolder, outside, run), "\"../" + zoe + "_c.c\"");
    AppSettings blocked = settings;
    blocked.BaseDir = Utf8FromPath(base / "scripts" / "other.bot");
    DiskFiles failing;
    const int code = GenerateSource(profile, blocked, NativePathStyle(), failing);
    ASSERT_EQ(code, 11);
    shows(GenerateFailureMessage(code, profile, blocked, failing), cafe);

    // The preview.
    shows(PreviewSource(outside, settings, NativePathStyle(), game).message, zoe);
    BotProfile chatty = profile;
    SetFieldText(chatty.skill[0].chat_lines[0][0], "\"Hi\", Zo\xEB");
    const SourcePreview preview = PreviewSource(chatty, settings, NativePathStyle(), game);
    ASSERT_FALSE(preview.chat.empty());
    shows(ChatFindingText(preview.chat[0]), "Skill 1");
    shows(preview.duplicates.at(0), zoe);

    // The import's list and report.
    std::vector<ReportEntry> problems;
    const std::vector<BotEntry> bots = ListBots(game, &problems);
    ASSERT_EQ(bots.size(), 2u);
    for (const BotEntry& bot : bots)
        shows(BotListLine(bot), zoe);
    const ImportResult imported = ImportBot(game, bots[0]);
    ASSERT_TRUE(imported.ok) << imported.error;
    shows(ReportText(imported.report), zoe + " Two");

    // The export.
    WriteFailure failure;
    const std::string package = Utf8FromPath(base / "missing" / "zz-zoe.pk3");
    const int exported = ExportBotPackage(profile, settings, package, 0, &failure);
    ASSERT_EQ(exported, kPackageOpenFailed);
    shows(PackageFailureMessage(exported, profile, settings, failure), cafe);

    for (const std::string& message : messages)
        EXPECT_TRUE(IsUtf8(message)) << AsciiOnly(message);
}

} // namespace
} // namespace vexa

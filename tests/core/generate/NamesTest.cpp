#include "core/generate/Names.h"

#include "TestSupport.h"
#include "core/util/FixedText.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

TEST(FileNameForm, RemovesPunctuationCutsToTenAndLowers) {
    EXPECT_EQ(FileNameForm("Sir Blade-Runner 2000"), "sirbladeru");
    EXPECT_EQ(FileNameForm("Big Bad Bob!"), "bigbadbob");
    EXPECT_EQ(FileNameForm("Dr. Evil-Bot 2000"), "drevilbot2");
    EXPECT_EQ(FileNameForm(" \"'`@\\|/<>.,;:!#%^&*()-=+[{]}"), "");
    EXPECT_EQ(FileNameForm("A$b?C~d_E9", PathStyle::Posix), "a$b?c~d_e9");
    // Windows refuses a question mark in a file name.
    EXPECT_EQ(FileNameForm("A$b?C~d_E9", PathStyle::Windows), "a$bc~d_e9");
    // Cutting counts only the characters kept.
    EXPECT_EQ(FileNameForm("a.b.c.d.e.f.g.h.i.j.k"), "abcdefghij");
    // In the Windows style Latin-1 letters beyond A to Z stay as they are.
    EXPECT_EQ(FileNameForm("\xC9tienne", PathStyle::Windows), "\xC9tienne");
}

TEST(FileNameForm, PosixStyleSpellsLatin1LettersInAscii) {
    const std::pair<const char*, const char*> cases[] = {
        {"Zo\xEB", "zoe"},
        {"Stra\xDF"
         "e",
         "strasse"},
        {"\xC6sir \xDEor", "aesirthor"},
        {"\xC9tienne \xD8ster\xE5s", "etienneost"}, // cut after spelling
        {"\xC6\xC6\xC6\xC6\xC6\xC6", "aeaeaeaeae"},
        {"a\xD7"
         "b\xF7"
         "c\xA9\xB5\x80\x01\x7F"
         "d",
         "abcd"}, // signs and controls go
    };
    for (const auto& [name, form] : cases)
        EXPECT_EQ(FileNameForm(name, PathStyle::Posix), form) << name;
    // Whatever the bytes, the POSIX form is printable ASCII, the Windows form
    // holds nothing Windows refuses in a file name, and for a text of
    // printable ASCII but the question mark the two are the same.
    for (int byte = 0; byte < 256; ++byte) {
        const std::string text{'x', static_cast<char>(byte), 'Y'};
        const std::string form = FileNameForm(text, PathStyle::Posix);
        for (const char c : form)
            EXPECT_TRUE(c > ' ' && c < 0x7F) << "byte " << byte;
        const std::string windows = FileNameForm(text, PathStyle::Windows);
        for (const char c : windows)
            EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 &&
                        std::string_view("<>:\"/\\|?*").find(c) == std::string_view::npos)
                << "byte " << byte;
        if (byte >= 0x20 && byte < 0x7F && byte != '?') {
            EXPECT_EQ(form, windows) << "byte " << byte;
        }
    }
}

TEST(MainFileNameRefusal, QuotationMarksAndSemicolonsCannotBeNamedByTheBotFile) {
    EXPECT_EQ(MainFileNameRefusal("ranger_c.c"), "");
    EXPECT_EQ(MainFileNameRefusal("sub\\dir/ranger_c.c"), "");
    for (const char* name : {"iron\"mad_c.c", "a;b_c.c", "\""})
        EXPECT_NE(MainFileNameRefusal(name), "") << name;
}

TEST(DefaultFileName, ReplacesTheCOfTheUsualEndingAndAddsTheDigit) {
    EXPECT_EQ(DefaultFileName("ranger_c.c", PassFile::WeaponWeights, '\0'), "ranger_w.c");
    EXPECT_EQ(DefaultFileName("ranger_c.c", PassFile::ItemWeights, '4'), "ranger_i4.c");
    EXPECT_EQ(DefaultFileName("ranger_c.c", PassFile::Chat, '5'), "ranger_t5.c");
    EXPECT_EQ(DefaultFileName("bots/ranger_c.c", PassFile::Chat, '1'), "bots/ranger_t1.c");
}

TEST(DefaultFileName, MainFilesWithoutTheUsualEndingFollowTheSameRule) {
    EXPECT_EQ(DefaultFileName("ranger_c", PassFile::WeaponWeights, '\0'), "ranger_w.c");
    EXPECT_EQ(DefaultFileName("ranger.c", PassFile::WeaponWeights, '1'), "ranger_w1.c");
    EXPECT_EQ(DefaultFileName("ranger", PassFile::ItemWeights, '4'), "ranger_i4.c");
    EXPECT_EQ(DefaultFileName("my.cbot", PassFile::Chat, '\0'), "my.cbot_t.c");
    EXPECT_EQ(DefaultFileName("x", PassFile::Chat, '5'), "x_t5.c");
}

TEST(PassFileName, StoredNameOrDefaultAlwaysEndingInDotC) {
    BotProfile profile = test::RangerProfile();
    EXPECT_EQ(PassFileName(profile, 0, PassFile::WeaponWeights), "bots/ranger_w.c");
    EXPECT_EQ(PassFileName(profile, 3, PassFile::Chat), "bots/ranger_t5.c");

    SetFieldText(profile.skill[1].weaponweights, "bots/ranger_w1");
    SetFieldText(profile.skill[1].itemweights, "bots/shared_i.c");
    EXPECT_EQ(PassFileName(profile, 2, PassFile::WeaponWeights), "bots/ranger_w1.c");
    EXPECT_EQ(PassFileName(profile, 2, PassFile::ItemWeights), "bots/shared_i.c");
    // Passes 0 and 1 read the Skill 1 block, which still holds no names.
    EXPECT_EQ(PassFileName(profile, 1, PassFile::WeaponWeights), "bots/ranger_w1.c");
    EXPECT_EQ(PassFileName(profile, 0, PassFile::ItemWeights), "bots/ranger_i.c");
}

TEST(PassFileName, FieldsWithoutTerminatorAreReadToTheirWidth) {
    BotProfile profile = test::RangerProfile();
    std::fill(std::begin(profile.main_file), std::end(profile.main_file), 'm');
    std::fill(std::begin(profile.skill[0].chat_file), std::end(profile.skill[0].chat_file), 'c');
    EXPECT_EQ(PassFileName(profile, 0, PassFile::Chat), std::string(20, 'c') + ".c");
    EXPECT_EQ(PassFileName(profile, 0, PassFile::WeaponWeights),
              "bots/" + std::string(20, 'm') + "_w.c");
}

TEST(ChatName, StoredNameWithoutDigitElseFileNameFormWithDigit) {
    BotProfile profile = test::RangerProfile();
    SetFieldText(profile.name, "Dr. Evil-Bot 2000");
    EXPECT_EQ(ChatName(profile, 0), "drevilbot2");
    EXPECT_EQ(ChatName(profile, 2), "drevilbot24");
    SetFieldText(profile.skill[2].chat_name, "evil");
    EXPECT_EQ(ChatName(profile, 3), "evil");
    EXPECT_EQ(ChatName(profile, 1), "drevilbot21");
}

TEST(BaseDir, WindowsStyleNeedsADriveLetterAndEndsInABackslash) {
    EXPECT_TRUE(IsUsableBaseDir("C:\\game\\base\\", PathStyle::Windows));
    EXPECT_TRUE(IsUsableBaseDir("D:", PathStyle::Windows));
    EXPECT_FALSE(IsUsableBaseDir("\\\\server\\share\\", PathStyle::Windows));
    EXPECT_FALSE(IsUsableBaseDir("", PathStyle::Windows));
    EXPECT_FALSE(IsUsableBaseDir("C", PathStyle::Windows));
    EXPECT_FALSE(IsUsableBaseDir("/home/me", PathStyle::Windows));

    EXPECT_EQ(NormalBaseDir("D:", PathStyle::Windows), "D:\\");
    EXPECT_EQ(NormalBaseDir("C:\\base", PathStyle::Windows), "C:\\base\\");
    EXPECT_EQ(NormalBaseDir("C:\\game\\base\\", PathStyle::Windows), "C:\\game\\base\\");
    // A ".c" in a folder name is part of the name.
    EXPECT_EQ(NormalBaseDir("C:\\my.cbots\\", PathStyle::Windows), "C:\\my.cbots\\");
    // Typed with "/", which Windows takes as a separator too.
    EXPECT_EQ(NormalBaseDir("C:/games/arvon", PathStyle::Windows), "C:\\games\\arvon\\");
    EXPECT_EQ(NormalBaseDir("C:/games/arvon/", PathStyle::Windows), "C:\\games\\arvon\\");
}

TEST(BaseDir, PosixStyleNeedsAnAbsolutePathAndEndsInASlash) {
    EXPECT_TRUE(IsUsableBaseDir("/", PathStyle::Posix));
    EXPECT_TRUE(IsUsableBaseDir("/home/me/.config/arvon", PathStyle::Posix));
    EXPECT_FALSE(IsUsableBaseDir("", PathStyle::Posix));
    EXPECT_FALSE(IsUsableBaseDir("game/base", PathStyle::Posix));
    EXPECT_FALSE(IsUsableBaseDir("C:\\game", PathStyle::Posix));

    EXPECT_EQ(NormalBaseDir("/home/me/base", PathStyle::Posix), "/home/me/base/");
    EXPECT_EQ(NormalBaseDir("/home/me/base/", PathStyle::Posix), "/home/me/base/");
    EXPECT_EQ(NormalBaseDir("/home/me/.config/my.cbots", PathStyle::Posix),
              "/home/me/.config/my.cbots/");
    // A backslash is part of a POSIX name.
    EXPECT_EQ(NormalBaseDir("/home/me/a\\b", PathStyle::Posix), "/home/me/a\\b/");
}

TEST(OutputPaths, WindowsStyle) {
    BotProfile profile = test::RangerProfile();
    AppSettings settings;
    settings.BaseDir = "C:\\game\\base\\";
    settings.BuildFold = true;
    const PathStyle w = PathStyle::Windows;

    EXPECT_EQ(OutputFolder(settings, w), "C:\\game\\base\\botfiles\\bots\\");
    EXPECT_EQ(CharacterFilePath(profile, settings, w),
              "C:\\game\\base\\botfiles\\bots\\ranger_c.c");
    EXPECT_EQ(PassFilePath(profile, settings, 2, PassFile::WeaponWeights, w),
              "C:\\game\\base\\botfiles\\bots\\ranger_w4.c");
    EXPECT_EQ(PassFilePath(profile, settings, 0, PassFile::ItemWeights, w),
              "C:\\game\\base\\botfiles\\bots\\ranger_i.c");
    EXPECT_EQ(BotInfoFolder(settings, w), "C:\\game\\base\\scripts\\");
    EXPECT_EQ(BotInfoFilePath(profile, settings, w), "C:\\game\\base\\scripts\\ranger.bot");

    SetFieldText(profile.skill[0].weaponweights, "bots/ranger_w1");
    SetFieldText(profile.skill[0].chat_file, "bots/ranger_t1");
    EXPECT_EQ(PassFilePath(profile, settings, 1, PassFile::WeaponWeights, w),
              "C:\\game\\base\\botfiles\\bots\\ranger_w1.c");
    EXPECT_EQ(PassFilePath(profile, settings, 1, PassFile::Chat, w),
              "C:\\game\\base\\botfiles\\bots\\ranger_t1.c");
    SetFieldText(profile.main_file, "bots/ranger_c.c");
    EXPECT_EQ(CharacterFilePath(profile, settings, w),
              "C:\\game\\base\\botfiles\\bots\\bots\\ranger_c.c");

    settings.BuildFold = false;
    SetFieldText(profile.main_file, "ranger_c");
    EXPECT_EQ(OutputFolder(settings, w), "C:\\game\\base\\");
    EXPECT_EQ(CharacterFilePath(profile, settings, w), "C:\\game\\base\\ranger_c.c");
    EXPECT_EQ(PassFilePath(profile, settings, 1, PassFile::Chat, w),
              "C:\\game\\base\\bots\\ranger_t1.c");
    EXPECT_EQ(BotInfoFilePath(profile, settings, w), "C:\\game\\base\\ranger.bot");
}

TEST(OutputPaths, PosixStyle) {
    BotProfile profile = test::RangerProfile();
    AppSettings settings;
    settings.BaseDir = "/home/me/arvon/base/";
    settings.BuildFold = true;
    const PathStyle p = PathStyle::Posix;

    EXPECT_EQ(OutputFolder(settings, p), "/home/me/arvon/base/botfiles/bots/");
    EXPECT_EQ(CharacterFilePath(profile, settings, p),
              "/home/me/arvon/base/botfiles/bots/ranger_c.c");
    EXPECT_EQ(PassFilePath(profile, settings, 3, PassFile::Chat, p),
              "/home/me/arvon/base/botfiles/bots/ranger_t5.c");
    EXPECT_EQ(BotInfoFilePath(profile, settings, p), "/home/me/arvon/base/scripts/ranger.bot");

    // Backslashes stored by a Windows user become slashes.
    SetFieldText(profile.skill[0].itemweights, "bots\\ranger_i1");
    EXPECT_EQ(PassFilePath(profile, settings, 0, PassFile::ItemWeights, p),
              "/home/me/arvon/base/botfiles/bots/ranger_i1.c");

    settings.BuildFold = false;
    EXPECT_EQ(CharacterFilePath(profile, settings, p), "/home/me/arvon/base/ranger_c.c");
    EXPECT_EQ(PassFilePath(profile, settings, 0, PassFile::WeaponWeights, p),
              "/home/me/arvon/base/bots/ranger_w.c");
    EXPECT_EQ(BotInfoFilePath(profile, settings, p), "/home/me/arvon/base/ranger.bot");
}

} // namespace
} // namespace vexa

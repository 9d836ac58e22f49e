#include "core/generate/GenerateSource.h"

#include "core/game/RandomStrings.h"
#include "core/generate/Names.h"
#include "core/generate/Writers.h"
#include "core/util/FixedText.h"

namespace vexa {

namespace {

// The writers in their order; the first failure's result, or 0.
int WriteFiles(const BotProfile& profile, const AppSettings& settings, PathStyle style,
               OutputFiles& files, const ProfileExtras& extras) {
    if (const int result = WriteCharacterFile(profile, settings, style, files, extras); result != 0)
        return result;
    for (int pass = FirstPass(settings.TabSkill); pass <= LastPass(settings.TabSkill); ++pass) {
        if (const int result =
                WriteWeaponWeightsFile(profile, settings, pass, style, files, extras);
            result != 0)
            return result;
        if (const int result = WriteItemWeightsFile(profile, settings, pass, style, files, extras);
            result != 0)
            return result;
        if (const int result = WriteChatFile(profile, settings, pass, style, files, extras);
            result != 0)
            return result;
    }
    return WriteBotInfoFile(profile, settings, style, files, extras);
}

} // namespace

int GenerateSource(const BotProfile& profile, AppSettings& settings, PathStyle style) {
    DiskFiles disk;
    return GenerateSource(profile, settings, style, disk);
}

int GenerateSource(const BotProfile& profile, AppSettings& settings, PathStyle style,
                   OutputFiles& files) {
    return GenerateSource(profile, settings, style, files, GenerateGuards{});
}

int GenerateSource(const BotProfile& profile, AppSettings& settings, PathStyle style,
                   OutputFiles& files, const GenerateGuards& guards, const ProfileExtras& extras) {
    if (!IsUsableBaseDir(settings.BaseDir, style))
        return 13;
    if (FieldIsEmpty(profile.name))
        return 14;
    if (FieldIsEmpty(profile.gender))
        return 15;
    if (!FirstOutsideBaseFolderRefusal(profile, settings.TabSkill, style, extras).empty())
        return kNameOutsideBaseFolder;

    settings.BaseDir = NormalBaseDir(settings.BaseDir, style);
    // The folders are made even when the main file is missing.
    if (settings.BuildFold)
        MakeFolderChain(OutputFolder(settings, style), style, files);
    if (FieldIsEmpty(profile.main_file))
        return 16;
    if (guards.checkChatLines) {
        const std::optional<RandomStringNames> names =
            guards.game ? ReadRandomStringNames(*guards.game) : std::nullopt;
        if (FirstUnreadableChatLine(profile, extras, settings.TabSkill, names ? &*names : nullptr))
            return 43;
    }
    if (guards.replaceOtherBot && guards.game)
        if (const std::optional<OtherBotFile> other =
                OtherBotsCharacterFile(profile, settings, style, *guards.game, extras);
            other && !guards.replaceOtherBot(*other))
            return kGenerateDeclined;

    if (const int result = WriteFiles(profile, settings, style, files, extras); result != 0) {
        files.DiscardFiles(); // no file changes, and no temporary file stays
        return result;
    }
    // Every file is complete: only now are they put in place, together.
    const WriteFailure failure = files.CommitFiles();
    if (failure.status == WriteStatus::Written)
        return 0;
    const int code = files.ResultCodeOf(failure.path);
    return code != 0 ? code : 11;
}

std::string GenerateResultMessage(int code) {
    switch (code) {
    case 11:
        return "Source not created, error opening main file";
    case 12:
        return "Source not created, error writing main file";
    case 13:
        return "No directory given for source generation";
    case 14:
        return "You need a name for this Bot";
    case 15:
        return "You need a gender for this Bot";
    case 16:
        return "You need a main file for this Bot";
    case kNameOutsideBaseFolder:
        return "Source not created, a file name leads outside the base folder";
    case 21:
        return "Source not created, error opening weapon weights file";
    case 22:
        return "Source not created, error writing weapon weights file";
    case 31:
        return "Source not created, error opening item weights file";
    case 32:
        return "Source not created, error writing item weights file";
    case 41:
        return "Source not created, error opening chat convos file";
    case 42:
        return "Source not created, error writing chat convos file";
    case 43:
        return "Source not created, a chat line cannot be read by the game";
    case 51:
        return "Source not created, error opening .bot file";
    case 52:
        return "Source not created, error writing .bot file";
    default:
        return {};
    }
}

std::string GenerateFailureMessage(int code, const BotProfile& profile, const AppSettings& settings,
                                   const GameFileSource* game, PathStyle style,
                                   const ProfileExtras& extras) {
    std::string message = GenerateResultMessage(code);
    if (code == kNameOutsideBaseFolder) {
        // Appended in two steps: GCC 12 warns falsely of overlapping copies
        // for a literal plus a temporary string here.
        message += '\n';
        message += FirstOutsideBaseFolderRefusal(profile, settings.TabSkill, style, extras);
    }
    if (code == 43) {
        const std::optional<RandomStringNames> names =
            game ? ReadRandomStringNames(*game) : std::nullopt;
        if (const std::optional<ChatLineFinding> finding = FirstUnreadableChatLine(
                profile, extras, settings.TabSkill, names ? &*names : nullptr))
            message += ":\n" + ChatFindingText(*finding);
    }
    return message;
}

std::string GenerateFailureMessage(int code, const BotProfile& profile, const AppSettings& settings,
                                   const OutputFiles& files, const GameFileSource* game,
                                   const ProfileExtras& extras) {
    std::string message =
        GenerateFailureMessage(code, profile, settings, game, NativePathStyle(), extras);
    if (!message.empty() && !files.failureReason().empty())
        message += "\n" + files.failureReason();
    return message;
}

std::string GenerateSuccessMessage(const AppSettings& settings, PathStyle style) {
    // Folder names on POSIX systems may hold a backslash: only Windows has
    // two separators to choose from.
    const std::string folder =
        style == PathStyle::Windows ? WithSeparators(settings.BaseDir, style) : settings.BaseDir;
    return "Sourced created succesfully in\n" + folder;
}

std::string GenerateModelMessage(const BotProfile& profile, const ProfileExtras& extras) {
    const std::string model =
        extras.empty() ? BotModel(profile) : WrittenModel(profile, NativePathStyle(), extras);
    return "If your model files are NOT named:\t" + Utf8FromLatin1(model) +
           "\nthen make sure you change the name of the model in the .bot file";
}

} // namespace vexa

#include "core/settings/LocationRules.h"

#include "core/game/FileNames.h"
#include "core/util/FixedText.h"

#include <cctype>
#include <string_view>

namespace vexa {

namespace {

// At most what a field of width N holds.
template <std::size_t N> std::string FitField(const char (&)[N], std::string text) {
    if (text.size() > N - 1)
        text.resize(N - 1);
    return text;
}

// The file-name form of the bot name, or "botname" when that form is empty.
std::string LocationStem(const BotProfile& profile) {
    std::string stem = FileNameForm(FieldText(profile.name));
    return stem.empty() ? std::string("botname") : stem;
}

// "bots/" + stem + suffix, the stem shortened so that the whole fits a
// file location field and keeps its suffix.
std::string LocationProposal(const BotProfile& profile, const AppSettings& settings, char kind) {
    constexpr std::string_view kFolder = "bots/";
    std::string suffix = "_";
    suffix += kind;
    if (settings.TabSkill && BlockIndexForLevel(settings.SkillLevel) >= 0)
        suffix += std::to_string(settings.SkillLevel);
    suffix += ".c";
    std::string stem = LocationStem(profile);
    const std::size_t room = sizeof(SkillProfile::chat_file) - 1 - kFolder.size() - suffix.size();
    if (stem.size() > room)
        stem.resize(room);
    return std::string(kFolder) + stem + suffix;
}

} // namespace

std::string FolderFieldText(const std::string& folder, const std::string& prompt) {
    return folder.empty() ? prompt : folder;
}

void StoreFolderField(std::string& folder, const std::string& fieldText,
                      const std::string& prompt) {
    if (fieldText != prompt)
        folder = fieldText;
}

std::string FolderRefusal(std::string_view folder, bool mustBeAbsolute) {
    if (folder.find("/*") != std::string_view::npos)
        return "A folder holding \"/*\" cannot be kept: the settings file would read the rest "
               "of the line as a comment and lose it. Please choose another folder.";
    if (mustBeAbsolute && !folder.empty() && !IsUsableBaseDir(folder, NativePathStyle()))
        return NativePathStyle() == PathStyle::Windows
                   ? "The base folder must be a full path with its drive letter, such as "
                     "C:\\Arvon\\base."
                   : "The base folder must be a full path beginning with \"/\", such as "
                     "/home/you/arvon/base.";
    if (mustBeAbsolute && IsExistingNonFolder(folder)) {
        std::string refusal = "\"";
        refusal.append(folder);
        refusal += "\" is a file, not a folder: the base folder must be a folder.";
        return refusal;
    }
    return {};
}

std::string ModelNameProposal(const BotProfile& profile) {
    if (!FieldIsEmpty(profile.model_name))
        return FieldText(profile.model_name);
    return FitField(profile.model_name, FileNameForm(FieldText(profile.name)));
}

std::string ModelNameToStore(const BotProfile& profile, const std::string& fieldText) {
    if (FieldIsEmpty(profile.model_name) && fieldText == ModelNameProposal(profile))
        return {};
    return fieldText;
}

std::string ProfileFileProposal(const BotProfile& profile) {
    const std::string form = FileNameForm(FieldText(profile.name));
    return (form.empty() ? std::string("bot") : form) + ".vxb";
}

FooterLines FooterText(const AppSettings& settings, const std::string& profileFile) {
    // The folder as the user names it: "/games/arvon/base", not the normal
    // form's "/games/arvon/base/". A root ("/", "C:\\") keeps its separator.
    std::string folder = settings.BaseDir;
    const auto isSeparator = [](char c) {
        return c == '/' || c == PathSeparator(NativePathStyle());
    };
    while (folder.size() > 1 && isSeparator(folder.back()) && folder[folder.size() - 2] != ':' &&
           !isSeparator(folder[folder.size() - 2]))
        folder.pop_back();
    return {"Base folder: " + (folder.empty() ? std::string("no base folder yet") : folder),
            "Profile file: " +
                (profileFile.empty() ? std::string("none saved or loaded yet") : profileFile)};
}

std::string MainFileProposal(const BotProfile& profile) {
    if (!FieldIsEmpty(profile.main_file))
        return FieldText(profile.main_file);
    const std::string name = FieldText(profile.name);
    return FitField(profile.main_file,
                    FileNameForm(name.empty() ? std::string_view("botname") : name) + "_c.c");
}

FileLocations FileLocationsShown(const BotProfile& profile, const AppSettings& settings) {
    const SkillProfile& first = profile.skill[0];
    const SkillProfile* level = BlockForLevel(profile, settings.SkillLevel);
    if (level == nullptr)
        level = &first;

    FileLocations shown;
    shown.chat = FieldIsEmpty(first.chat_file)
                     ? FitField(first.chat_file, LocationProposal(profile, settings, 't'))
                     : FieldText(level->chat_file);
    shown.weaponWeights =
        FieldIsEmpty(first.weaponweights)
            ? FitField(first.weaponweights, LocationProposal(profile, settings, 'w'))
            : FieldText(level->weaponweights);
    shown.itemWeights = FieldIsEmpty(first.itemweights)
                            ? FitField(first.itemweights, LocationProposal(profile, settings, 'i'))
                            : FieldText(level->itemweights);
    return shown;
}

void StoreFileLocations(BotProfile& profile, int level, const FileLocations& locations) {
    SkillProfile* block = BlockForLevel(profile, level);
    if (block == nullptr)
        return;
    SetFieldText(block->weaponweights, locations.weaponWeights);
    SetFieldText(block->chat_file, locations.chat);
    SetFieldText(block->itemweights, locations.itemWeights);
}

void StoreFileLocationsForAll(BotProfile& profile, const FileLocations& locations) {
    for (const int level : kSkillLevels)
        StoreFileLocations(profile, level, locations);
}

namespace {

// Whether Windows refuses the character at `index` of `path`: one it keeps
// out of file names, a control character, or a colon anywhere but after the
// drive letter.
bool RefusedByWindows(std::string_view path, std::size_t index) {
    const char c = path[index];
    if (c == ':')
        return index != 1 || !std::isalpha(static_cast<unsigned char>(path[0]));
    return static_cast<unsigned char>(c) < 0x20 ||
           std::string_view("<>\"|?*").find(c) != std::string_view::npos;
}

} // namespace

std::string EnteredNameRefusal(std::string_view name, PathStyle style) {
    if (style == PathStyle::Windows)
        for (std::size_t i = 0; i < name.size(); ++i)
            if (RefusedByWindows(name, i)) {
                std::string reason = "\"";
                reason.append(name);
                reason += "\" holds a character that Windows does not allow in file names "
                          "(< > : \" | ? * or a control character): choose another name.";
                return reason;
            }
    const std::string reserved = ReservedDeviceNameIn(name, style);
    return reserved.empty() ? std::string() : ReservedDeviceNameReason(reserved);
}

std::string StoredNameRefusal(std::string_view field, std::string_view name, PathStyle style) {
    std::string refusal = OutsideBaseFolderRefusal(field, name, style);
    return refusal.empty() ? EnteredNameRefusal(Utf8FromLatin1(name), style) : refusal;
}

} // namespace vexa

#include "core/generate/Names.h"

#include "core/util/FixedText.h"

#include <algorithm>
#include <utility>

namespace vexa {

namespace {

bool EndsWith(std::string_view text, std::string_view ending) {
    return text.size() >= ending.size() && text.substr(text.size() - ending.size()) == ending;
}

std::string Joined(std::string_view base, std::string_view middle, std::string_view name,
                   PathStyle style) {
    std::string path;
    path.reserve(base.size() + middle.size() + name.size());
    path.append(base).append(middle).append(name);
    return WithSeparators(std::move(path), style);
}

// The stored name of a pass file of the block with `index`: its field, or
// the whole name `extras` keeps while the field holds its first characters.
std::string StoredFileName(const SkillProfile& block, const ProfileExtras& extras, int index,
                           PassFile file) {
    const LevelExtras& level = extras.levels[static_cast<std::size_t>(index)];
    switch (file) {
    case PassFile::WeaponWeights:
        return KeptText(FieldText(block.weaponweights), level.weaponWeightsFile,
                        sizeof block.weaponweights);
    case PassFile::ItemWeights:
        return KeptText(FieldText(block.itemweights), level.itemWeightsFile,
                        sizeof block.itemweights);
    case PassFile::Chat:
        break;
    }
    return KeptText(FieldText(block.chat_file), level.chatFile, sizeof block.chat_file);
}

} // namespace

std::string MainFileNameRefusal(std::string_view mainFile) {
    if (mainFile.find_first_of("\";") == std::string_view::npos)
        return {};
    return "The main file name cannot hold a quotation mark (\") or a semicolon (;): "
           "the game's .bot file could not name that file. Please choose another name.";
}

std::string FirstOutsideBaseFolderRefusal(const BotProfile& profile, bool tabSkill, PathStyle style,
                                          const ProfileExtras& extras) {
    if (std::string refusal =
            OutsideBaseFolderRefusal("Main file", MainFileName(profile, extras), style);
        !refusal.empty())
        return refusal;
    for (int pass = FirstPass(tabSkill); pass <= LastPass(tabSkill); ++pass) {
        const int index = BlockOfPass(pass);
        const std::string level = " (Skill " + std::to_string(LevelOfBlock(index)) + ")";
        const std::pair<const char*, PassFile> stored[] = {
            {"Weapon weights file", PassFile::WeaponWeights},
            {"Item weights file", PassFile::ItemWeights},
            {"Chat file", PassFile::Chat},
        };
        for (const auto& [field, file] : stored)
            if (std::string refusal = OutsideBaseFolderRefusal(
                    field + level, StoredFileName(profile.skill[index], extras, index, file),
                    style);
                !refusal.empty())
                return refusal;
    }
    return OutsideBaseFolderRefusal(
        "Model name",
        KeptText(FieldText(profile.model_name), extras.model, sizeof profile.model_name), style);
}

int FirstPass(bool tabSkill) {
    return tabSkill ? 1 : 0;
}
int LastPass(bool tabSkill) {
    return tabSkill ? 3 : 0;
}

int BlockOfPass(int pass) {
    return pass <= 1 ? 0 : std::min(pass - 1, 2);
}

char PassDigit(int pass) {
    if (pass < 1 || pass > 3)
        return '\0';
    return static_cast<char>('0' + LevelOfBlock(pass - 1));
}

int PassForCharacterBlock(int index, bool tabSkill) {
    return tabSkill ? index + 1 : 0;
}

std::string WithCExtension(std::string_view name) {
    std::string result(name);
    if (!EndsWith(result, ".c"))
        result += ".c";
    return result;
}

std::string DefaultFileName(std::string_view mainFile, PassFile file, char digit) {
    std::string_view stem = mainFile;
    if (EndsWith(stem, ".c"))
        stem.remove_suffix(2);
    if (EndsWith(stem, "_c"))
        stem.remove_suffix(2);
    std::string name(stem);
    name += '_';
    name += static_cast<char>(file);
    if (digit != '\0')
        name += digit;
    name += ".c";
    return name;
}

std::string MainFileName(const BotProfile& profile, const ProfileExtras& extras) {
    return KeptText(FieldText(profile.main_file), extras.mainFile, sizeof profile.main_file);
}

std::string PassFileName(const BotProfile& profile, int pass, PassFile file,
                         const ProfileExtras& extras) {
    const int index = BlockOfPass(pass);
    std::string stored = StoredFileName(profile.skill[index], extras, index, file);
    if (stored.empty())
        stored = "bots/" + DefaultFileName(MainFileName(profile, extras), file, PassDigit(pass));
    return WithCExtension(stored);
}

std::string GameReference(std::string_view name) {
    std::string reference(name);
    std::replace(reference.begin(), reference.end(), '\\', '/');
    return reference;
}

std::string ChatName(const BotProfile& profile, int pass, PathStyle style) {
    std::string stored = FieldText(profile.skill[BlockOfPass(pass)].chat_name);
    if (!stored.empty())
        return stored;
    std::string name = FileNameForm(FieldText(profile.name), style);
    if (const char digit = PassDigit(pass); digit != '\0')
        name += digit;
    return name;
}

std::string BotModel(const BotProfile& profile, PathStyle style) {
    std::string model = FieldText(profile.model_name);
    return model.empty() ? FileNameForm(FieldText(profile.name), style) : model;
}

std::string WrittenModel(const BotProfile& profile, PathStyle style, const ProfileExtras& extras) {
    const std::string field = FieldText(profile.model_name);
    if (!extras.model.empty() &&
        KeptText(field, extras.model, sizeof profile.model_name) == extras.model)
        return extras.model;
    return GameReference(BotModel(profile, style));
}

std::string BotInfoFileName(const BotProfile& profile, PathStyle style,
                            const ProfileExtras& extras) {
    std::string name = WrittenModel(profile, style, extras);
    std::replace(name.begin(), name.end(), '/', '_');
    std::replace(name.begin(), name.end(), '\\', '_');
    return name + ".bot";
}

std::string OutputFolder(const AppSettings& settings, PathStyle style) {
    return Joined(settings.BaseDir, settings.BuildFold ? "botfiles/bots/" : "", "", style);
}

std::string CharacterFilePath(const BotProfile& profile, const AppSettings& settings,
                              PathStyle style, const ProfileExtras& extras) {
    return Joined(settings.BaseDir, settings.BuildFold ? "botfiles/bots/" : "",
                  WithCExtension(MainFileName(profile, extras)), style);
}

std::string PassFilePath(const BotProfile& profile, const AppSettings& settings, int pass,
                         PassFile file, PathStyle style, const ProfileExtras& extras) {
    return Joined(settings.BaseDir, settings.BuildFold ? "botfiles/" : "",
                  PassFileName(profile, pass, file, extras), style);
}

std::string BotInfoFolder(const AppSettings& settings, PathStyle style) {
    return Joined(settings.BaseDir, settings.BuildFold ? "scripts/" : "", "", style);
}

std::string BotInfoFilePath(const BotProfile& profile, const AppSettings& settings, PathStyle style,
                            const ProfileExtras& extras) {
    return Joined(BotInfoFolder(settings, style), "", BotInfoFileName(profile, style, extras),
                  style);
}

} // namespace vexa

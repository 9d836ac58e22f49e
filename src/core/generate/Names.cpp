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

} // namespace

std::string MainFileNameRefusal(std::string_view mainFile) {
    if (mainFile.find_first_of("\";") == std::string_view::npos)
        return {};
    return "The main file name cannot hold a quotation mark (\") or a semicolon (;): "
           "the game's .bot file could not name that file. Please choose another name.";
}

std::string FirstOutsideBaseFolderRefusal(const BotProfile& profile, bool tabSkill,
                                          PathStyle style) {
    if (std::string refusal =
            OutsideBaseFolderRefusal("Main file", FieldText(profile.main_file), style);
        !refusal.empty())
        return refusal;
    for (int pass = FirstPass(tabSkill); pass <= LastPass(tabSkill); ++pass) {
        const SkillProfile& block = profile.skill[BlockOfPass(pass)];
        const std::string level =
            " (Skill " + std::to_string(LevelOfBlock(BlockOfPass(pass))) + ")";
        const std::pair<const char*, std::string> stored[] = {
            {"Weapon weights file", FieldText(block.weaponweights)},
            {"Item weights file", FieldText(block.itemweights)},
            {"Chat file", FieldText(block.chat_file)},
        };
        for (const auto& [field, name] : stored)
            if (std::string refusal = OutsideBaseFolderRefusal(field + level, name, style);
                !refusal.empty())
                return refusal;
    }
    return OutsideBaseFolderRefusal("Model name", FieldText(profile.model_name), style);
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

std::string PassFileName(const BotProfile& profile, int pass, PassFile file) {
    const SkillProfile& block = profile.skill[BlockOfPass(pass)];
    std::string stored;
    switch (file) {
    case PassFile::WeaponWeights:
        stored = FieldText(block.weaponweights);
        break;
    case PassFile::ItemWeights:
        stored = FieldText(block.itemweights);
        break;
    case PassFile::Chat:
        stored = FieldText(block.chat_file);
        break;
    }
    if (stored.empty())
        stored = "bots/" + DefaultFileName(FieldText(profile.main_file), file, PassDigit(pass));
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

std::string OutputFolder(const AppSettings& settings, PathStyle style) {
    return Joined(settings.BaseDir, settings.BuildFold ? "botfiles/bots/" : "", "", style);
}

std::string CharacterFilePath(const BotProfile& profile, const AppSettings& settings,
                              PathStyle style) {
    return Joined(settings.BaseDir, settings.BuildFold ? "botfiles/bots/" : "",
                  WithCExtension(FieldText(profile.main_file)), style);
}

std::string PassFilePath(const BotProfile& profile, const AppSettings& settings, int pass,
                         PassFile file, PathStyle style) {
    return Joined(settings.BaseDir, settings.BuildFold ? "botfiles/" : "",
                  PassFileName(profile, pass, file), style);
}

std::string BotInfoFolder(const AppSettings& settings, PathStyle style) {
    return Joined(settings.BaseDir, settings.BuildFold ? "scripts/" : "", "", style);
}

std::string BotInfoFilePath(const BotProfile& profile, const AppSettings& settings,
                            PathStyle style) {
    return Joined(BotInfoFolder(settings, style), "", BotModel(profile, style) + ".bot", style);
}

} // namespace vexa

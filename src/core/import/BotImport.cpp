#include "core/import/BotImport.h"

#include "core/game/LocalFileSources.h"
#include "core/generate/FormatTables.h"
#include "core/generate/Names.h"
#include "core/generate/Writers.h"
#include "core/import/ScriptReaders.h"
#include "core/profile/ChatCategory.h"
#include "core/script/ChatLine.h"
#include "core/util/FixedText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>

namespace vexa {

namespace {

constexpr std::string_view kLevelNames[] = {"", "Skill 1", "", "", "Skill 4", "Skill 5"};
constexpr std::size_t kFileFieldWidth = 19; // itemweights, weaponweights, chat_file, chat_name
constexpr std::size_t kNameWidth = 19;      // name, main_file
constexpr std::size_t kModelWidth = 9;      // model_name

bool ContainsWithoutCase(std::string_view text, std::string_view part) {
    return GamePathKey(text).find(GamePathKey(part)) != std::string::npos;
}

std::string Lowered(std::string_view text) {
    return GamePathKey(text);
}

bool EndsWith(std::string_view text, std::string_view ending) {
    return text.size() >= ending.size() && text.substr(text.size() - ending.size()) == ending;
}

// A text for a message: quoted and cut short.
std::string Shown(std::string_view text) {
    constexpr std::size_t kMost = 60;
    std::string shown = "\"";
    shown.append(Utf8FromLatin1(text.substr(0, kMost)));
    if (text.size() > kMost)
        shown += "...";
    return shown + "\"";
}

// A stored value as the character file writes it (0.250, 1.75, 360).
std::string Formatted(ValueUnit unit, std::int64_t value) {
    const std::string sign = value < 0 ? "-" : "";
    const std::int64_t magnitude = value < 0 ? -value : value;
    const auto padded = [](std::int64_t part, std::size_t width) {
        std::string digits = std::to_string(part);
        return std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits;
    };
    switch (unit) {
    case ValueUnit::Thousandths:
        return sign + std::to_string(magnitude / 1000) + "." + padded(magnitude % 1000, 3);
    case ValueUnit::Hundredths:
        return sign + std::to_string(magnitude / 100) + "." + padded(magnitude % 100, 2);
    case ValueUnit::Whole:
    case ValueUnit::Text:
        break;
    }
    return sign + std::to_string(magnitude);
}

int DecimalsOf(ValueUnit unit) {
    return unit == ValueUnit::Thousandths ? 3 : unit == ValueUnit::Hundredths ? 2 : 0;
}

std::string WrittenText(const WrittenNumber& number) {
    return (number.negative ? "-" : "") + number.text;
}

// The game's relative path of a file named relative to botfiles/.
std::string BotFilesPath(std::string_view reference) {
    return "botfiles/" + GameReference(reference);
}

int LevelOfIndex(int index) {
    return LevelOfBlock(index);
}

// What the character file's block for one level says besides numbers.
struct LevelTexts {
    std::optional<std::string> name, gender, weaponWeights, itemWeights, chatFile, chatName;
    int chatNameLine = 0;
};

std::optional<std::string>* TextSlot(LevelTexts& texts, TextValue which) {
    switch (which) {
    case TextValue::Name:
        return &texts.name;
    case TextValue::Gender:
        return &texts.gender;
    case TextValue::WeaponWeights:
        return &texts.weaponWeights;
    case TextValue::ItemWeights:
        return &texts.itemWeights;
    case TextValue::ChatFile:
        return &texts.chatFile;
    case TextValue::ChatName:
        return &texts.chatName;
    case TextValue::None:
        break;
    }
    return nullptr;
}

// The chat lines read for one chat block: the designer's situations and the
// others, as the file had them.
struct ChatLines {
    std::array<std::vector<std::string>, kChatCategoryCount> lines;
    std::vector<KeptChat> others;
};

// Keeps `line`, in place of an earlier one of the same key.
void KeepLine(std::vector<KeptLine>& lines, KeptLine line) {
    std::erase_if(lines, [&line](const KeptLine& old) { return old.key == line.key; });
    lines.push_back(std::move(line));
}

// The weights a weights file gave, and the defines kept as it had them.
template <std::size_t Count> struct ReadWeightValues {
    std::array<std::int32_t, Count> values{};
    std::vector<KeptLine> kept;
    KeptIncludes includes;
};

class Importer {
public:
    Importer(const GameFileSource& source, const ImportOptions& options)
        : source_(source), options_(options) {}

    ImportResult Run(const BotEntry& bot) {
        result_.profile = EmptyProfile();
        ApplyDefaults(result_.profile);
        const std::string aifile = GameReference(bot.aifile);
        if (aifile.empty())
            return Fail("The bot " + Utf8FromLatin1(bot.name) + " names no character file.");
        charPath_ = BotFilesPath(aifile);
        if (!IsSafeGamePath(charPath_))
            return Fail("The character file " + aifile + " is not a file name that can be read.");
        std::string text;
        std::string error;
        switch (source_.Read(charPath_, text, &error)) {
        case GameFileSource::ReadResult::Read:
            break;
        case GameFileSource::ReadResult::Missing:
            return Fail("The character file " + charPath_ + " was not found.");
        case GameFileSource::ReadResult::TooLarge:
            return Fail("The character file " + charPath_ + " is too large for a bot file.");
        case GameFileSource::ReadResult::Failed:
            return Fail("The character file " + charPath_ + " cannot be read: " + error);
        }
        const CharacterFile file = ReadCharacterFile(text);
        if (!file.error.empty())
            return Fail("The character file " + charPath_ + " cannot be read, line " +
                        std::to_string(file.errorLine) + ": " + file.error);
        if (file.blocks.empty())
            return Fail("The character file " + charPath_ + " holds no skill block.");
        for (const ReadProblem& problem : file.problems)
            Report(charPath_, problem.line, 0, problem.text);

        std::array<LevelTexts, 3> texts;
        ChooseBlocks(file);
        for (int index = 0; index < 3; ++index)
            ReadLevel(*chosen_[index], index, texts[index]);
        SetName(bot, texts);
        SetGender(texts);
        SetMainFile(aifile);
        for (int index = 0; index < 3; ++index)
            ReadLevelFiles(index, texts[index]);
        SetModel(bot);
        for (const auto& [key, value] : bot.otherKeys) {
            if (IsKeptName(key) && IsKeptText(value))
                result_.extras.infoKeys.emplace_back(key, value);
            else
                Report(bot.infoFile, 0, 0,
                       "the key " + Shown(key) + " cannot be kept; it was left out");
        }
        result_.ok = true;
        return std::move(result_);
    }

private:
    ImportResult Fail(std::string error) {
        ImportResult failed;
        failed.error = std::move(error);
        return failed;
    }

    void Report(std::string file, int line, int level, std::string text) {
        result_.report.push_back({std::move(file), line, level, std::move(text)});
    }

    // The blocks for the levels 1, 4 and 5: the block of that level, else
    // the nearest level the file has.
    void ChooseBlocks(const CharacterFile& file) {
        std::vector<bool> used(file.blocks.size(), false);
        for (int index = 0; index < 3; ++index) {
            const int level = LevelOfIndex(index);
            const SkillBlock* exact = nullptr;
            for (std::size_t b = 0; b < file.blocks.size(); ++b) {
                if (file.blocks[b].level != level)
                    continue;
                if (!exact) {
                    exact = &file.blocks[b];
                    used[b] = true;
                } else if (!used[b]) {
                    used[b] = true;
                    Report(charPath_, file.blocks[b].line, level,
                           "a second skill " + file.blocks[b].levelText +
                               " block; only the first one was read");
                }
            }
            if (!exact) {
                std::size_t nearest = 0;
                for (std::size_t b = 1; b < file.blocks.size(); ++b)
                    if (std::abs(file.blocks[b].level - level) <
                        std::abs(file.blocks[nearest].level - level))
                        nearest = b;
                exact = &file.blocks[nearest];
                used[nearest] = true;
                Report(charPath_, 0, level,
                       "there is no skill " + std::to_string(level) + " block; the skill " +
                           exact->levelText + " block was read for it");
            }
            chosen_[index] = exact;
        }
        for (std::size_t b = 0; b < file.blocks.size(); ++b)
            if (!used[b])
                Report(charPath_, file.blocks[b].line, 0,
                       "the skill " + file.blocks[b].levelText +
                           " block was not kept: the designer holds the levels 1, 4 and 5");
    }

    void ReadLevel(const SkillBlock& block, int index, LevelTexts& texts) {
        const int level = LevelOfIndex(index);
        // A block read for a second level has told its faults already.
        const bool quiet =
            std::find(chosen_.begin(), chosen_.begin() + index, &block) != chosen_.begin() + index;
        const auto report = [&](int line, std::string text) {
            if (!quiet)
                Report(charPath_, line, level, std::move(text));
        };
        SkillProfile& target = result_.profile.skill[index];
        std::vector<KeptLine>& kept = result_.extras.levels[index].characteristics;
        std::array<bool, kCharacteristicCount> seen{};
        for (const CharacterEntry& entry : block.entries) {
            const CharacteristicFormat* known = CharacteristicOf(entry);
            if (!known) {
                const std::string value = entry.isText ? entry.text : WrittenText(entry.number);
                if (IsKeptName(entry.index) &&
                    (entry.isText ? IsKeptText(value) : IsKeptNumber(value)))
                    KeepLine(kept, {entry.index, value, "", entry.isText});
                else
                    report(entry.line, entry.index +
                                           " is not a characteristic the designer knows, and "
                                           "its value cannot be kept; skipped");
                continue;
            }
            const CharacteristicFormat& format = *known;
            if (seen[static_cast<std::size_t>(format.index)])
                report(entry.line,
                       std::string(format.name) + " is given twice; the later value was kept");
            if (format.unit == ValueUnit::Text) {
                if (!entry.isText) {
                    report(entry.line, std::string(format.name) +
                                           " must be a text in quotation marks, not " +
                                           WrittenText(entry.number) + "; skipped");
                    continue;
                }
                *TextSlot(texts, format.text) = entry.text;
                if (format.text == TextValue::ChatName)
                    texts.chatNameLine = entry.line;
            } else {
                if (entry.isText) {
                    report(entry.line, std::string(format.name) +
                                           " must be a number, not the text " + Shown(entry.text) +
                                           "; skipped");
                    continue;
                }
                bool rounded = false;
                const std::int64_t value =
                    ScaledValue(entry.number, DecimalsOf(format.unit), rounded);
                const std::int64_t stored = std::clamp<std::int64_t>(value, 0, format.max);
                // The file's own form and value, while the editor's is not
                // changed: a whole number is read otherwise than a decimal
                // one, and the game reads values beyond the editor's range.
                const std::string written = WrittenText(entry.number);
                const bool keep = !entry.number.negative && IsKeptNumber(written) &&
                                  (stored != value || rounded ||
                                   entry.number.integer != (format.unit == ValueUnit::Whole));
                if (keep)
                    KeepLine(kept, {std::string(format.name), written,
                                    Formatted(format.unit, stored), false});
                if (stored != value && !keep)
                    report(entry.line, std::string(format.name) + " " + written +
                                           " is outside 0 to " +
                                           Formatted(format.unit, format.max) + "; " +
                                           Formatted(format.unit, stored) + " was kept");
                else if (rounded)
                    report(entry.line, std::string(format.name) + " " + written +
                                           " is shown rounded to " +
                                           Formatted(format.unit, stored) +
                                           " in the editor; the file's value is written back "
                                           "until it is changed");
                target.*format.field = static_cast<std::int32_t>(stored);
            }
            seen[static_cast<std::size_t>(format.index)] = true;
        }
        std::string missing;
        for (const CharacteristicFormat& format : kCharacterFileLines) {
            if (seen[static_cast<std::size_t>(format.index)] || format.unit == ValueUnit::Text)
                continue;
            missing += missing.empty() ? "" : ", ";
            missing +=
                std::string(format.name) + " " + Formatted(format.unit, target.*format.field);
        }
        if (!missing.empty())
            Report(charPath_, block.line, level,
                   "missing values; the designer's defaults were used: " + missing);
    }

    void SetName(const BotEntry& bot, const std::array<LevelTexts, 3>& texts) {
        std::optional<std::string> fromCharacter;
        for (int index = 0; index < 3; ++index) {
            if (!texts[index].name)
                continue;
            if (!fromCharacter)
                fromCharacter = texts[index].name;
            else if (*texts[index].name != *fromCharacter)
                Report(charPath_, 0, LevelOfIndex(index),
                       "the name " + Shown(*texts[index].name) + " was not kept; the bot is " +
                           Shown(*fromCharacter));
        }
        std::string name;
        if (!bot.name.empty()) {
            // The character file's name, unless the info file says
            // otherwise (it cannot hold every name as it is).
            if (fromCharacter && BotInfoValueAsRead(*fromCharacter) == bot.name) {
                name = *fromCharacter;
            } else {
                name = bot.name;
                if (fromCharacter)
                    Report(charPath_, 0, 0,
                           "the character file names the bot " + Shown(*fromCharacter) +
                               "; the name " + Shown(bot.name) + " of " + bot.infoFile +
                               " was kept");
            }
        } else if (fromCharacter) {
            name = *fromCharacter;
        } else {
            Report(charPath_, 0, 0, "the bot has no name");
        }
        if (name.size() > kNameWidth && IsKeptText(name)) {
            // The record holds its first characters; the whole name is
            // written while it does.
            result_.extras.name = name;
            SetFieldText(result_.profile.name, name.substr(0, kNameWidth));
        } else {
            SetText(result_.profile.name, name, kNameWidth, "the name");
        }
    }

    void SetGender(const std::array<LevelTexts, 3>& texts) {
        std::optional<std::string> gender;
        for (const LevelTexts& level : texts)
            if (!gender && level.gender)
                gender = level.gender;
        if (!gender) {
            Report(charPath_, 0, 0, "the bot has no gender; Male was set");
            return;
        }
        bool known = false;
        for (const std::string_view name : {"Male", "Female", "It"})
            if (Lowered(*gender) == Lowered(name)) {
                SetFieldText(result_.profile.gender, name);
                known = true;
            }
        if (!known && !IsKeptText(*gender))
            Report(charPath_, 0, 0,
                   "the gender " + Shown(*gender) + " is not Male, Female or It; Male was set");
        // Each level's gender as its block had it, where the writer would
        // write another.
        const std::string own = Lowered(FieldText(result_.profile.gender));
        for (std::size_t index = 0; index < texts.size(); ++index)
            if (const std::optional<std::string>& level = texts[index].gender;
                level && *level != own && IsKeptText(*level))
                KeepLine(result_.extras.levels[index].characteristics,
                         {"CHARACTERISTIC_GENDER", *level, own, true});
    }

    // Stores `text` in a field of `width` characters, cutting it (and
    // saying so) when it does not fit.
    template <std::size_t N>
    void SetText(char (&field)[N], const std::string& text, std::size_t width,
                 const std::string& what) {
        if (text.size() > width)
            Report("", 0, 0,
                   what + " " + Shown(text) + " is longer than " + std::to_string(width) +
                       " characters; it was cut to " + Shown(text.substr(0, width)));
        SetFieldText(field, std::string_view(text).substr(0, std::min(text.size(), width)));
    }

    void ReadLevelFiles(int index, const LevelTexts& texts) {
        const int level = LevelOfIndex(index);
        SkillProfile& block = result_.profile.skill[index];
        LevelExtras& extras = result_.extras.levels[index];
        ReadWeights(texts.weaponWeights, kWeaponWeightDefines, kWeaponWeightsScript,
                    "weapon weights", block, extras.weaponDefines, extras.weaponIncludes, level,
                    weaponCache_);
        KeepFileName(texts.weaponWeights, block.weaponweights, extras.weaponWeightsFile, index,
                     PassFile::WeaponWeights, "weapon weights");
        ReadWeights(texts.itemWeights, kItemWeightDefines, kItemWeightsScript, "item weights",
                    block, extras.itemDefines, extras.itemIncludes, level, itemCache_);
        KeepFileName(texts.itemWeights, block.itemweights, extras.itemWeightsFile, index,
                     PassFile::ItemWeights, "item weights");
        ReadChat(texts, block, extras, level);
        KeepFileName(texts.chatFile, block.chat_file, extras.chatFile, index, PassFile::Chat,
                     "chat");
        SetChatName(texts, block, index);
    }

    template <std::size_t Count>
    void ReadWeights(const std::optional<std::string>& reference,
                     const std::array<WeightDefine, Count>& defines, std::string_view script,
                     const std::string& what, SkillProfile& block, std::vector<KeptLine>& kept,
                     KeptIncludes& includes, int level,
                     std::map<std::string, ReadWeightValues<Count>>& cache) {
        if (!reference) {
            Report(charPath_, 0, level,
                   "no " + what + " file is named; the designer's default weights were kept");
            return;
        }
        const std::string path = BotFilesPath(*reference);
        const std::string key = GamePathKey(path);
        auto cached = cache.find(key);
        if (cached == cache.end()) {
            ReadWeightValues<Count> read;
            for (std::size_t i = 0; i < Count; ++i)
                read.values[i] = block.*defines[i].field;
            ReadWeightsOnce(path, defines, script, what, read);
            cached = cache.emplace(key, std::move(read)).first;
        }
        for (std::size_t i = 0; i < Count; ++i)
            block.*defines[i].field = cached->second.values[i];
        kept = cached->second.kept;
        includes = cached->second.includes;
    }

    template <std::size_t Count>
    void ReadWeightsOnce(const std::string& path, const std::array<WeightDefine, Count>& defines,
                         std::string_view script, const std::string& what,
                         ReadWeightValues<Count>& read) {
        std::string text;
        if (ReadOther(path, what, text)) {
            const WeightsFile file = ReadWeightsFile(text, script);
            if (!file.defineForm)
                Report(path, file.whyNotLine, 0,
                       "the " + what + " file is not in the #define form (" + file.whyNot +
                           "); the designer's default weights were kept");
            else
                ApplyDefines(file, defines, path, read);
            if (file.defineForm)
                KeepIncludes(file, script, path, read.includes);
        }
    }

    // The file's #include lines, unless they are the two the designer
    // writes itself ("inv.h" above the defines, the game's script below).
    void KeepIncludes(const WeightsFile& file, std::string_view script, const std::string& path,
                      KeptIncludes& includes) {
        if (file.includesBefore == std::vector<std::string>{"\"inv.h\""} &&
            file.includesAfter == std::vector<std::string>{"\"" + std::string(script) + "\""})
            return;
        for (const auto* part : {&file.includesBefore, &file.includesAfter})
            for (const std::string& include : *part)
                if (!IsKeptInclude(include)) {
                    Report(path, 0, 0,
                           "the line #include " + Shown(include) +
                               " cannot be kept; the designer's own #include lines will be "
                               "written");
                    return;
                }
        includes = {file.includesBefore, file.includesAfter};
    }

    template <std::size_t Count>
    void ApplyDefines(const WeightsFile& file, const std::array<WeightDefine, Count>& defines,
                      const std::string& path, ReadWeightValues<Count>& read) {
        std::array<std::int32_t, Count>& values = read.values;
        std::array<bool, Count> seen{};
        for (const WeightValue& define : file.defines) {
            std::size_t i = 0;
            while (i < Count && defines[i].name != define.name)
                ++i;
            if (i == Count) {
                if (IsKeptName(define.name) && IsKeptNumber(define.value))
                    KeepLine(read.kept, {define.name, define.value, "", false});
                else
                    Report(path, define.line, 0,
                           define.name + " " + Shown(define.value) +
                               " is not a weight the designer holds, and cannot be kept; skipped");
                continue;
            }
            std::int64_t number = 0;
            bool rounded = false;
            if (!WeightNumber(define.value, number, rounded)) {
                seen[i] = true;
                Report(path, define.line, 0,
                       define.name + " " + Shown(define.value) +
                           " is not a plain number; the default " + std::to_string(values[i]) +
                           " was kept");
                continue;
            }
            if (seen[i])
                Report(path, define.line, 0,
                       define.name + " is defined twice; the later value was kept");
            seen[i] = true;
            const std::int64_t kept = std::clamp<std::int64_t>(number, 0, kMaxWeight);
            // The game reads the weight as written, also beyond the editor's
            // range: it is written back until the user changes it.
            const bool keep = IsKeptNumber(define.value) && (kept != number || rounded);
            if (keep)
                KeepLine(read.kept, {define.name, define.value, std::to_string(kept), false});
            if (kept != number && !keep)
                Report(path, define.line, 0,
                       define.name + " " + define.value + " is outside 0 to " +
                           std::to_string(kMaxWeight) + "; " + std::to_string(kept) + " was kept");
            else if (rounded)
                Report(path, define.line, 0,
                       define.name + " " + define.value + " is shown rounded to " +
                           std::to_string(kept) +
                           " in the editor; the file's value is written back until it is changed");
            values[i] = static_cast<std::int32_t>(kept);
        }
        std::string missing;
        for (std::size_t i = 0; i < Count; ++i)
            if (!seen[i])
                missing += (missing.empty() ? "" : ", ") + std::string(defines[i].name) + " " +
                           std::to_string(values[i]);
        if (!missing.empty())
            Report(path, 0, 0, "missing weights; the designer's defaults were used: " + missing);
    }

    // Reads a file the character file names; says why when it cannot.
    bool ReadOther(const std::string& path, const std::string& what, std::string& text) {
        if (!IsSafeGamePath(path)) {
            Report(charPath_, 0, 0,
                   "the " + what + " file " + path + " is not a file name that can be read");
            return false;
        }
        std::string error;
        switch (source_.Read(path, text, &error)) {
        case GameFileSource::ReadResult::Read:
            return true;
        case GameFileSource::ReadResult::Missing:
            Report(path, 0, 0,
                   "the " + what + " file was not found; the designer's defaults were kept");
            break;
        case GameFileSource::ReadResult::TooLarge:
            Report(path, 0, 0,
                   "the " + what +
                       " file is too large for a bot file; the designer's defaults were kept");
            break;
        case GameFileSource::ReadResult::Failed:
            Report(path, 0, 0,
                   "the " + what + " file cannot be read (" + error +
                       "); the designer's defaults were kept");
            break;
        }
        return false;
    }

    void ReadChat(const LevelTexts& texts, SkillProfile& block, LevelExtras& extras, int level) {
        if (!texts.chatFile || !texts.chatName) {
            Report(charPath_, 0, level,
                   std::string(texts.chatFile ? "no chat name" : "no chat file") +
                       " is given; no chat lines were read");
            return;
        }
        const std::string path = BotFilesPath(*texts.chatFile);
        const std::string key = GamePathKey(path) + '\n' + Lowered(*texts.chatName);
        auto cached = chatCache_.find(key);
        if (cached == chatCache_.end())
            cached = chatCache_.emplace(key, ReadChatLines(path, *texts.chatName)).first;
        for (int c = 0; c < kChatCategoryCount; ++c)
            SetChatLines(block, extras, c, cached->second.lines[static_cast<std::size_t>(c)]);
        for (const KeptChat& other : cached->second.others)
            extras.chat.push_back(other);
    }

    ChatLines ReadChatLines(const std::string& path, const std::string& chatName) {
        ChatLines lines;
        std::string text;
        if (!ReadOther(path, "chat", text))
            return lines;
        const ChatFile file = ReadChatFile(text, chatName);
        for (const ReadProblem& problem : file.problems)
            Report(path, problem.line, 0, problem.text);
        if (!file.found) {
            std::string names;
            for (const std::string& name : file.chatNames)
                names += (names.empty() ? "" : ", ") + Shown(name);
            Report(path, 0, 0,
                   "there is no chat block " + Shown(chatName) +
                       (names.empty() ? std::string() : " (the file holds " + names + ")") +
                       "; no chat lines were read from it");
            return lines;
        }
        for (const ChatType& type : file.types) {
            const int category = ChatCategoryIndex(type.name);
            std::vector<std::string>* kept = nullptr;
            if (category >= 0) {
                kept = &lines.lines[static_cast<std::size_t>(category)];
            } else if (!IsKeptName(type.name)) {
                Report(path, type.line, 0,
                       "the situation " + Shown(type.name) +
                           " is not a name a chat file can hold; its lines were skipped (" +
                           std::to_string(type.lines.size()) + ")");
                continue;
            } else {
                // Situations the game asks for beyond the designer's 28, and
                // any other: kept, and written back after them.
                auto same = std::find_if(lines.others.begin(), lines.others.end(),
                                         [&type](const KeptChat& other) {
                                             return Lowered(other.situation) == Lowered(type.name);
                                         });
                if (same == lines.others.end())
                    same = lines.others.insert(lines.others.end(), KeptChat{type.name, {}});
                kept = &same->lines;
            }
            for (const ChatLineText& line : type.lines)
                KeepChatLine(path, type.name, line, *kept);
        }
        return lines;
    }

    void KeepChatLine(const std::string& path, const std::string& type, const ChatLineText& line,
                      std::vector<std::string>& kept) {
        const auto skip = [&](const std::string& why, const std::string& text) {
            Report(path, line.line, 0, type + ": " + why + "; skipped: " + text);
        };
        if (!line.problem.empty())
            return skip(line.problem, line.text);
        std::vector<std::string> parts{line.text};
        if (line.text.size() > kMaxChatMessage && line.messages.size() > 1) {
            parts = line.messages;
            Report(path, line.line, 0,
                   type + ": a line of " + std::to_string(line.messages.size()) +
                       " messages, too long for one chat line, was split into one line each");
        }
        for (const std::string& part : parts) {
            if (part.size() > kMaxChatMessage) {
                skip("longer than " + std::to_string(kMaxChatMessage) + " characters", part);
                continue;
            }
            if (const ChatLineCheck check = CheckChatLine(part); !check.readable) {
                skip("the game cannot read it (" + check.error + ")", part);
                continue;
            }
            if (!IsKeptChatLine(part)) {
                skip("it cannot be kept", part);
                continue;
            }
            kept.push_back(part);
        }
    }

    // With keepFileNames, the name the character file uses, when the
    // designer can write the file under it.
    template <std::size_t N>
    void KeepFileName(const std::optional<std::string>& reference, char (&field)[N],
                      std::string& whole, int index, PassFile file, const std::string& what) {
        if (!options_.keepFileNames || !reference)
            return;
        const int level = LevelOfIndex(index);
        std::string name = GameReference(*reference);
        if (!EndsWith(name, ".c")) {
            Report(charPath_, 0, level,
                   "the " + what + " file name " + Shown(name) +
                       " does not end in .c; the default name will be written");
            return;
        }
        if (name.size() > kFileFieldWidth)
            name.resize(name.size() - 2); // the writers add ".c" again
        if (name.size() > kFileFieldWidth) {
            // The default name, with or without the level's digit, is
            // written again with the field empty.
            const std::string main = MainFileName(result_.profile, result_.extras);
            const char digit = static_cast<char>('0' + level);
            if (*reference == "bots/" + DefaultFileName(main, file, '\0') ||
                *reference == "bots/" + DefaultFileName(main, file, digit))
                return;
            if (!IsKeptText(*reference)) {
                Report(charPath_, 0, level,
                       "the " + what + " file name " + Shown(*reference) + " is longer than " +
                           std::to_string(kFileFieldWidth) +
                           " characters; the default name will be written");
                return;
            }
            // The record holds its first characters; the whole name is
            // written while it does.
            whole = GameReference(*reference);
            name = whole.substr(0, kFileFieldWidth);
        }
        SetFieldText(field, name);
    }

    void SetChatName(const LevelTexts& texts, SkillProfile& block, int index) {
        if (!texts.chatName)
            return;
        const std::string& chatName = *texts.chatName;
        // The designer's own default (with or without the level's digit)
        // stays empty, so that it follows the bot's name.
        const std::string form = FileNameForm(FieldText(result_.profile.name));
        const std::string digit(1, static_cast<char>('0' + LevelOfIndex(index)));
        if (chatName == form || chatName == form + digit)
            return;
        if (chatName.size() > kFileFieldWidth) {
            if (!IsKeptText(chatName)) {
                Report(charPath_, texts.chatNameLine, LevelOfIndex(index),
                       "the chat name " + Shown(chatName) + " is longer than " +
                           std::to_string(kFileFieldWidth) +
                           " characters; the default chat name will be written");
                return;
            }
            // The record holds its first characters; the whole name is
            // written while it does.
            const std::string cut = chatName.substr(0, kFileFieldWidth);
            SetFieldText(block.chat_name, cut);
            KeepLine(result_.extras.levels[static_cast<std::size_t>(index)].characteristics,
                     {"CHARACTERISTIC_CHAT_NAME", chatName, cut, true});
            return;
        }
        SetFieldText(block.chat_name, chatName);
    }

    void SetModel(const BotEntry& bot) {
        if (bot.model.empty() || bot.model == GameReference(BotModel(result_.profile)))
            return;
        if (bot.model.size() > kModelWidth && IsKeptText(bot.model)) {
            result_.extras.model = bot.model;
            SetFieldText(result_.profile.model_name, bot.model.substr(0, kModelWidth));
            return;
        }
        if (bot.model.size() > kModelWidth) {
            Report(bot.infoFile, 0, 0,
                   "the model " + Shown(bot.model) + " is longer than " +
                       std::to_string(kModelWidth) + " characters; the model " +
                       Shown(GameReference(BotModel(result_.profile))) + " will be written");
            return;
        }
        SetFieldText(result_.profile.model_name, bot.model);
    }

    // The main file: the character file's name below botfiles/bots/, where
    // the designer writes it.
    void SetMainFile(const std::string& aifile) {
        std::string main = aifile;
        if (Lowered(main).starts_with("bots/")) {
            main.erase(0, 5);
        } else {
            main.erase(0, main.find_last_of('/') + 1);
            Report(charPath_, 0, 0,
                   "the character file is not in botfiles/bots; Create Arvon source writes it as "
                   "botfiles/bots/" +
                       main);
        }
        const std::string whole = main;
        if (main.size() > kNameWidth && EndsWith(main, ".c"))
            main.resize(main.size() - 2); // the writers add ".c" again
        if (main.size() > kNameWidth && IsKeptText(whole)) {
            // The record holds its first characters; the whole name is
            // written while it does.
            result_.extras.mainFile = whole;
            main.resize(kNameWidth);
        } else if (main.size() > kNameWidth) {
            std::string form = FileNameForm(FieldText(result_.profile.name));
            main = (form.empty() ? std::string("bot") : form) + "_c.c";
            Report(charPath_, 0, 0,
                   "the character file's name is longer than " + std::to_string(kNameWidth) +
                       " characters; the main file " + main + " was set");
        }
        SetFieldText(result_.profile.main_file, main);
    }

    const GameFileSource& source_;
    const ImportOptions& options_;
    ImportResult result_;
    std::string charPath_;
    std::array<const SkillBlock*, 3> chosen_{};
    std::map<std::string, ReadWeightValues<10>> weaponCache_;
    std::map<std::string, ReadWeightValues<27>> itemCache_;
    std::map<std::string, ChatLines> chatCache_;
};

} // namespace

std::string BotInfoValueAsRead(std::string_view value) {
    const BotInfoFile file =
        ReadBotInfoFile("{\n" + std::string(kBotInfoName) + "\t\t" + BotInfoValue(value) + "\n}\n");
    return file.blocks.empty() ? std::string() : file.blocks.front().name;
}

std::vector<BotEntry> ListBots(const GameFileSource& source, std::vector<ReportEntry>* problems) {
    std::vector<BotListProblem> found;
    std::vector<BotEntry> bots = ListGameBots(source, problems ? &found : nullptr);
    for (BotListProblem& problem : found)
        problems->push_back({std::move(problem.file), problem.line, 0, std::move(problem.text)});
    return bots;
}

std::vector<BotEntry> FindBots(const std::vector<BotEntry>& bots, std::string_view query) {
    const std::string key = GamePathKey(query);
    std::vector<BotEntry> found;
    for (const BotEntry& bot : bots)
        if (GamePathKey(bot.name) == key)
            found.push_back(bot);
    if (found.empty())
        for (const BotEntry& bot : bots)
            if (GamePathKey(bot.model) == key)
                found.push_back(bot);
    return found;
}

bool MatchesFilter(const BotEntry& bot, std::string_view filter) {
    return filter.empty() || ContainsWithoutCase(bot.name, filter) ||
           ContainsWithoutCase(bot.model, filter) || ContainsWithoutCase(bot.infoFile, filter) ||
           ContainsWithoutCase(bot.origin, filter);
}

ImportResult ImportBot(const GameFileSource& source, const BotEntry& bot,
                       const ImportOptions& options) {
    return Importer(source, options).Run(bot);
}

ImportResult ImportCharacterFile(const GameFileSource& source, const std::string& aifile,
                                 const ImportOptions& options) {
    BotEntry bot;
    bot.aifile = aifile;
    return ImportBot(source, bot, options);
}

std::string ReportLine(const ReportEntry& entry) {
    std::string line;
    const auto part = [&line](std::string_view text) {
        if (!line.empty())
            line += ", ";
        line += text;
    };
    if (!entry.file.empty())
        part(entry.file);
    if (entry.line > 0)
        part("line " + std::to_string(entry.line));
    if (entry.level == 1 || entry.level == 4 || entry.level == 5)
        part(kLevelNames[entry.level]);
    if (line.empty())
        return entry.text;
    return line + ": " + entry.text;
}

std::string ReportText(const std::vector<ReportEntry>& report) {
    std::string text;
    for (const ReportEntry& entry : report)
        text += ReportLine(entry) + "\n";
    return text;
}

} // namespace vexa

#include "core/levels/GameLevels.h"

#include "core/generate/Writers.h"
#include "core/import/ScriptReaders.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace vexa {

namespace {

constexpr std::array<int, 3> kBlockLevels = {1, 4, 5};

std::size_t IndexOf(const CharacteristicFormat& format) {
    return static_cast<std::size_t>(&format - kCharacterFileLines.data());
}

// The texts of the game's default character, the same at every level.
std::string DefaultText(TextValue which) {
    switch (which) {
    case TextValue::Name:
    case TextValue::ChatName:
        return "default";
    case TextValue::Gender:
        return "male";
    case TextValue::WeaponWeights:
        return "bots/default_w.c";
    case TextValue::ItemWeights:
        return "bots/default_i.c";
    case TextValue::ChatFile:
        return "bots/default_t.c";
    case TextValue::None:
        break;
    }
    return {};
}

double UnitScale(ValueUnit unit) {
    return unit == ValueUnit::Thousandths ? 1000.0 : unit == ValueUnit::Hundredths ? 100.0 : 1.0;
}

using LevelColumn = std::array<LevelValue, kCharacteristicCount>;

// The default character, built once from the designer's defaults.
struct DefaultCharacter {
    std::array<LevelColumn, 3> levels;

    DefaultCharacter() {
        BotProfile profile = EmptyProfile();
        ApplyDefaults(profile);
        for (std::size_t b = 0; b < 3; ++b) {
            for (const CharacteristicFormat& format : kCharacterFileLines) {
                LevelValue& value = levels[b][IndexOf(format)];
                value.origin = LevelValue::Origin::Default;
                if (format.unit == ValueUnit::Text) {
                    value.form = LevelValue::Form::Text;
                    value.text = DefaultText(format.text);
                } else {
                    value.form = format.unit == ValueUnit::Whole ? LevelValue::Form::Whole
                                                                 : LevelValue::Form::Decimal;
                    value.number = profile.skill[b].*format.field / UnitScale(format.unit);
                }
            }
        }
    }
};

const DefaultCharacter& Defaults() {
    static const DefaultCharacter defaults;
    return defaults;
}

std::string LevelList(const std::vector<int>& levels) {
    std::string text = levels.size() == 1 ? "level " : "levels ";
    for (std::size_t i = 0; i < levels.size(); ++i) {
        if (i > 0)
            text += i + 1 == levels.size() ? " and " : ", ";
        text += std::to_string(levels[i]);
    }
    return text;
}

// The value of a written number: exact decimal digits to a millionth.
double NumberValue(const WrittenNumber& number) {
    if (number.integer) {
        const double whole = static_cast<double>(std::min<std::uint64_t>(number.whole, 1u << 30));
        return number.negative ? -whole : whole;
    }
    bool rounded = false;
    return static_cast<double>(ScaledValue(number, 6, rounded)) / 1e6;
}

bool SameValue(const LevelValue& a, const LevelValue& b) {
    return a.form == b.form && a.number == b.number && a.text == b.text;
}

class LevelReader {
public:
    explicit LevelReader(std::string_view text) : file_(ReadCharacterFile(text)) {}

    GameLevels Run() {
        for (std::size_t b = 0; b < kBlockLevels.size(); ++b)
            ReadBlock(kBlockLevels[b], b);
        for (const CharacteristicFormat& format : kCharacterFileLines)
            ComputeBetween(format);
        return std::move(levels_);
    }

private:
    void Problem(LevelProblem::Kind kind, const CharacteristicFormat* format,
                 std::vector<int> levels, std::string text, std::string fix) {
        levels_.problems.push_back(
            {kind, format, std::move(levels), std::move(text), std::move(fix)});
    }

    // The game uses the first block whose level, taken as a whole number,
    // is the one it wants, and refuses a block that sets a characteristic
    // twice.
    void ReadBlock(int level, std::size_t b) {
        const std::size_t column = static_cast<std::size_t>(level - 1);
        const SkillBlock* block = nullptr;
        for (const SkillBlock& candidate : file_.blocks)
            if (candidate.level >= 0 && static_cast<int>(candidate.level) == level) {
                block = &candidate;
                break;
            }
        const std::string skill = "skill " + std::to_string(level);
        if (!block) {
            UseDefaultBlock(b, level);
            if (!file_.error.empty())
                Problem(LevelProblem::Kind::BlockRefused, nullptr, {level},
                        "The game cannot read the file past line " +
                            std::to_string(file_.errorLine) + " (" + file_.error +
                            ") and finds no " + skill +
                            " block before it: it plays its default character at level " +
                            std::to_string(level) + ".",
                        "Correct line " + std::to_string(file_.errorLine) + ".");
            else
                Problem(LevelProblem::Kind::BlockRefused, nullptr, {level},
                        "The file has no " + skill +
                            " block: the game plays its default character at level " +
                            std::to_string(level) + ".",
                        "Add a " + skill + " block.");
            return;
        }
        std::array<bool, kCharacteristicCount> set{};
        for (const CharacterEntry& entry : block->entries) {
            const CharacteristicFormat* format = CharacteristicOf(entry);
            if (!format)
                continue;
            const std::size_t c = IndexOf(*format);
            if (set[c]) {
                UseDefaultBlock(b, level);
                Problem(LevelProblem::Kind::BlockRefused, format, {level},
                        std::string(format->name) + " is set twice in " + skill + " (line " +
                            std::to_string(entry.line) +
                            "): the game refuses the block and plays its default character at "
                            "level " +
                            std::to_string(level) + ".",
                        "Remove one of the two lines.");
                return;
            }
            set[c] = true;
            LevelValue& value = levels_.values[c][column];
            value.origin = LevelValue::Origin::Block;
            value.line = entry.line;
            if (entry.isText) {
                value.form = LevelValue::Form::Text;
                value.text = entry.text;
            } else {
                value.form =
                    entry.number.integer ? LevelValue::Form::Whole : LevelValue::Form::Decimal;
                value.number = NumberValue(entry.number);
            }
        }
        for (const CharacteristicFormat& format : kCharacterFileLines) {
            const std::size_t c = IndexOf(format);
            if (set[c])
                continue;
            levels_.values[c][column] = Defaults().levels[b][c];
            Problem(LevelProblem::Kind::FromDefault, &format, {level},
                    std::string(format.name) + " is missing from " + skill + ": the game takes " +
                        LevelValueText(format, levels_.values[c][column]) +
                        " from its default character.",
                    "Add " + std::string(format.name) + " to the " + skill + " block.");
        }
    }

    void UseDefaultBlock(std::size_t b, int level) {
        for (std::size_t c = 0; c < kCharacteristicCount; ++c)
            levels_.values[c][static_cast<std::size_t>(level - 1)] = Defaults().levels[b][c];
    }

    void ComputeBetween(const CharacteristicFormat& format) {
        auto& row = levels_.values[IndexOf(format)];
        const LevelValue& v1 = row[0];
        const LevelValue& v4 = row[3];
        const std::string name(format.name);
        for (int level : {2, 3}) {
            LevelValue& value = row[static_cast<std::size_t>(level - 1)];
            value = LevelValue{};
            if (v1.form == LevelValue::Form::Decimal && v4.form == LevelValue::Form::Decimal) {
                value.form = LevelValue::Form::Decimal;
                value.origin = LevelValue::Origin::Computed;
                value.number = v1.number + (v4.number - v1.number) * (level - 1) / 3.0;
            } else if (v1.form == LevelValue::Form::Text ||
                       (v1.form == LevelValue::Form::Whole &&
                        v4.form != LevelValue::Form::Decimal)) {
                value = v1;
                value.origin = LevelValue::Origin::Skill1;
                value.line = 0;
            }
        }
        if (row[1].form == LevelValue::Form::Uninitialized) {
            const bool decimalFirst = v1.form == LevelValue::Form::Decimal;
            Problem(LevelProblem::Kind::ReadsZero, &format, {2, 3},
                    name + " is written as " +
                        (decimalFirst ? "a decimal number in skill 1 and not in skill 4"
                                      : "a decimal number in skill 4 and not in skill 1") +
                        ": the game computes nothing for levels 2 and 3, prints \"characteristic " +
                        std::to_string(format.index) + " is not initialized\" and reads 0.",
                    "Write " + name +
                        " in skill 1 and skill 4 in the same form: both with a "
                        "decimal point (such as 1.0) to have it interpolated.");
        } else if (row[1].origin == LevelValue::Origin::Skill1 && !SameValue(v1, v4)) {
            Problem(LevelProblem::Kind::FromSkill1, &format, {2, 3},
                    name + " at levels 2 and 3 is Skill 1's " + LevelValueText(format, v1) +
                        ", not a step towards Skill 4's " + LevelValueText(format, v4) +
                        (format.unit == ValueUnit::Text
                             ? ": the game takes every text from skill 1."
                             : ": the game interpolates only numbers written with a decimal "
                               "point."),
                    format.unit == ValueUnit::Text
                        ? "Use the same " + std::string(format.name) +
                              " in Skill 1 and Skill 4 if levels 2 and 3 should use Skill 4's."
                        : "Give Skill 1 the value levels 2 and 3 should use.");
        }
    }

    CharacterFile file_;
    GameLevels levels_;
};

std::string Fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    if (text == "-0" || text.rfind("-0.", 0) == 0) { // no minus before a zero
        bool zero = true;
        for (const char c : text)
            zero = zero && (c == '-' || c == '0' || c == '.');
        if (zero)
            text.erase(0, 1);
    }
    return text;
}

} // namespace

const LevelValue& GameLevels::At(const CharacteristicFormat& format, int level) const {
    return values[IndexOf(format)][static_cast<std::size_t>(std::clamp(level, 1, 5) - 1)];
}

const LevelValue& DefaultCharacteristic(const CharacteristicFormat& format, int level) {
    const int block = BlockIndexForLevel(level);
    return Defaults().levels[static_cast<std::size_t>(block < 0 ? 0 : block)][IndexOf(format)];
}

GameLevels LevelsOfCharacterFile(std::string_view text) {
    return LevelReader(text).Run();
}

GameLevels LevelsOfProfile(const BotProfile& profile, bool tabSkill, PathStyle style,
                           const ProfileExtras& extras) {
    return LevelsOfCharacterFile(CharacterFileText(profile, tabSkill, style, extras));
}

std::string LevelValueText(const CharacteristicFormat& format, const LevelValue& value) {
    switch (value.form) {
    case LevelValue::Form::Text:
        return "\"" + value.text + "\"";
    case LevelValue::Form::Uninitialized:
        return "0";
    case LevelValue::Form::Whole:
        return Fixed(value.number, 0);
    case LevelValue::Form::Decimal:
        break;
    }
    // The characteristic's own decimals, more when a computed value needs
    // them (2.5833 rather than 2.58).
    const int decimals = format.unit == ValueUnit::Hundredths ? 2 : 3;
    for (int shown = decimals; shown < 4; ++shown) {
        const double scale = std::pow(10.0, shown);
        if (std::fabs(value.number * scale - std::round(value.number * scale)) < 1e-6)
            return Fixed(value.number, shown);
    }
    return Fixed(value.number, 4);
}

std::string LevelsTableText(const GameLevels& levels) {
    std::string text;
    for (const CharacteristicFormat& format : kCharacterFileLines) {
        text += format.name;
        for (int level = 1; level <= kGameLevelCount; ++level) {
            text += '\t';
            text += LevelValueText(format, levels.At(format, level));
        }
        text += '\n';
    }
    return text;
}

std::string LevelProblemLine(const LevelProblem& problem) {
    return LevelList(problem.levels) + ": " + problem.text + " Fix: " + problem.fix;
}

} // namespace vexa

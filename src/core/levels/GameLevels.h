// The bot as the game plays it at each of its five difficulty levels. A
// character file has blocks for the levels 1, 4 and 5; the game computes
// levels 2 and 3 from blocks 1 and 4: a characteristic written as a decimal
// number in both is interpolated, value(L) = v1 + (v4 - v1) * (L - 1) / 3;
// a whole number and every text are taken from block 1; a decimal in one
// block beside a whole number in the other leaves the characteristic
// uninitialized, and the game reads 0. A characteristic a block lacks, or a
// block the file lacks, comes from the game's default character.
#pragma once

#include "core/generate/FormatTables.h"
#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"
#include "core/util/Paths.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

inline constexpr int kGameLevelCount = 5;

// One characteristic at one level, as the game holds it.
struct LevelValue {
    enum class Form : char {
        Decimal,       // written with a point or an exponent: a fraction the game interpolates
        Whole,         // written without a point
        Text,          // written between quotation marks
        Uninitialized, // nothing: the game prints "characteristic N is not initialized", reads 0
    };
    // Where the value comes from.
    enum class Origin : char {
        Block,    // the file's block of this level (1, 4 or 5)
        Computed, // interpolated between blocks 1 and 4 (levels 2 and 3)
        Skill1,   // taken over from block 1 (levels 2 and 3)
        Default,  // the game's default character
        None,     // uninitialized
    };
    Form form = Form::Uninitialized;
    Origin origin = Origin::None;
    double number = 0; // Decimal and Whole; 0 when uninitialized
    std::string text;  // Text
    int line = 0;      // Block: the line of the file that sets it

    // Whether the user set it: a block's own value.
    bool IsSet() const { return origin == Origin::Block; }
};

// Something at a level that the player would not expect from the file.
struct LevelProblem {
    enum class Kind : char {
        ReadsZero,    // uninitialized: the game reads 0
        FromSkill1,   // levels 2 and 3 take block 1's value, which differs from block 4's
        FromDefault,  // taken from the game's default character
        BlockRefused, // the game cannot use the file's block and plays the default character
    };
    Kind kind = Kind::ReadsZero;
    const CharacteristicFormat* characteristic = nullptr; // nullptr: a whole block
    std::vector<int> levels;                              // the levels concerned
    std::string text;                                     // what the game does, in the user's words
    std::string fix;                                      // what to change
};

struct GameLevels {
    // values[c][L - 1]: characteristic c of kCharacterFileLines at level L.
    std::array<std::array<LevelValue, kGameLevelCount>, kCharacteristicCount> values;
    std::vector<LevelProblem> problems;

    const LevelValue& At(const CharacteristicFormat& format, int level) const;
};

// The game's default character at level 1, 4 or 5 (any other level: 1).
// Its numbers are the designer's own defaults for that level, written in the
// form the designer writes them; its texts name the default bot's files.
const LevelValue& DefaultCharacteristic(const CharacteristicFormat& format, int level);

// The levels of a character file's text, read as the game reads it.
GameLevels LevelsOfCharacterFile(std::string_view text);

// The levels of a profile: the character file Create Arvon source would
// write (with `tabSkill`, `style` and what the bot keeps beyond the record,
// `extras`, as it would be written), read back.
GameLevels LevelsOfProfile(const BotProfile& profile, bool tabSkill,
                           PathStyle style = NativePathStyle(),
                           const ProfileExtras& extras = NoExtras());

// A value as the game uses it, for the user: a decimal with the
// characteristic's decimals (more, up to four, when computed), a whole
// number, a text in quotation marks, "0" when uninitialized.
std::string LevelValueText(const CharacteristicFormat& format, const LevelValue& value);

// `vexa --levels`: one line per characteristic the designer holds, its name
// and its five values separated by tabs.
std::string LevelsTableText(const GameLevels& levels);

// A problem on one line: "levels 2 and 3: ... Fix: ...".
std::string LevelProblemLine(const LevelProblem& problem);

} // namespace vexa

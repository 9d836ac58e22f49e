#pragma once

#include "core/game/LocalFileSources.h"
#include "core/generate/FormatTables.h"
#include "core/generate/GenerateSource.h"
#include "core/generate/Names.h"
#include "core/generate/OutputFiles.h"
#include "core/profile/BotProfile.h"
#include "core/script/ScriptTokenizer.h"
#include "core/util/FixedText.h"

#include <algorithm>
#include <random>
#include <string>

namespace vexa::test {

inline constexpr const char* kBase = "/game/base/";
inline constexpr const char* kWindowsBase = "C:\\game\\base\\";

// The files of one generate run below the base folder, as the game sees them.
inline void AddGenerated(MemoryFileSource& source, const std::vector<MemoryFiles::File>& files) {
    for (const MemoryFiles::File& file : files) {
        const std::string base = file.path.starts_with(kBase) ? kBase : kWindowsBase;
        std::string path = file.path.substr(base.size());
        std::replace(path.begin(), path.end(), '\\', '/');
        source.Add(path, file.text);
    }
}

inline AppSettings Settings(bool tabSkill, PathStyle style = PathStyle::Posix) {
    AppSettings settings;
    settings.BaseDir = style == PathStyle::Posix ? kBase : kWindowsBase;
    settings.BuildFold = true;
    settings.TabSkill = tabSkill;
    return settings;
}

// The files Create Arvon source writes for `profile`, in memory.
inline std::vector<MemoryFiles::File> Generated(const BotProfile& profile, bool tabSkill,
                                                PathStyle style = PathStyle::Posix) {
    MemoryFiles files;
    AppSettings settings = Settings(tabSkill, style);
    GenerateSource(profile, settings, style, files);
    return files.files();
}

// Random profiles within the editors' ranges, whose chat lines the game can
// read: texts in quotes, variables, random strings, several messages on a
// line, blanks and closed comments where the game allows them.
class RandomBots {
public:
    explicit RandomBots(unsigned seed) : random_(seed) {}

    int Between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }
    bool OneIn(int n) { return Between(1, n) == 1; }

    std::string Word(const std::string& alphabet, int low, int high) {
        std::string word;
        for (int n = Between(low, high); n > 0; --n)
            word += alphabet[static_cast<std::size_t>(
                Between(0, static_cast<int>(alphabet.size()) - 1))];
        return word;
    }

    std::string Printable(int low, int high) {
        std::string text;
        for (int n = Between(low, high); n > 0; --n)
            text += static_cast<char>(OneIn(20) ? Between(0xA0, 0xFF) : Between(0x20, 0x7E));
        return text;
    }

    std::string Component() {
        switch (Between(0, 5)) {
        case 0:
            return std::to_string(Between(0, 9));
        case 1:
            return Word("abcdefghijklmnopqrstuvwxyz_", 1, 1) +
                   Word("abcdefghijklmnopqrstuvwxyz_0123456789", 0, 8);
        case 2:
            return "\"a\" \"b\"";
        default:
            return script::QuoteString(Printable(0, 20));
        }
    }

    std::string Message() {
        std::string message = Component();
        for (int n = Between(0, 2); n > 0; --n)
            message += std::string(OneIn(3) ? " , " : ", ") + Component();
        return message;
    }

    std::string ChatLine() {
        for (;;) {
            std::string line = OneIn(10) ? "  " : "";
            line += Message();
            if (OneIn(5))
                line += "; " + Message();
            if (OneIn(10))
                line += " /* note */";
            if (OneIn(10))
                line += " ";
            if (line.size() <= 79)
                return line;
        }
    }

    BotProfile Profile() {
        BotProfile profile = EmptyProfile();
        SetFieldText(profile.name, Printable(1, 19));
        if (FileNameForm(FieldText(profile.name)).empty())
            SetFieldText(profile.name, "Bot " + Printable(1, 10));
        static constexpr const char* kGenders[] = {"Male", "Female", "It"};
        SetFieldText(profile.gender, kGenders[Between(0, 2)]);
        if (OneIn(2))
            SetFieldText(profile.model_name, Word("abcdefghijklmnopqrstuvwxyz0123456789", 1, 9));
        const std::string stem = Word("abcdefghijklmnopqrstuvwxyz0123456789", 1, 12);
        SetFieldText(profile.main_file, OneIn(4) ? stem : stem + "_c.c");
        for (SkillProfile& block : profile.skill) {
            // Stored names differ from level to level, so that no pass
            // overwrites the file of another.
            const std::string level = std::to_string(&block - profile.skill);
            for (const CharacteristicFormat& format : kCharacterFileLines)
                if (format.field)
                    block.*format.field = Between(0, format.max);
            for (const WeightDefine& define : kWeaponWeightDefines)
                block.*define.field = Between(0, kMaxWeight);
            for (const WeightDefine& define : kItemWeightDefines)
                block.*define.field = Between(0, kMaxWeight);
            for (char* field : {block.weaponweights, block.itemweights, block.chat_file})
                if (OneIn(3)) {
                    const std::string name =
                        "bots/" + Word("abcdefghij_", 1, 8) + level + (OneIn(2) ? ".c" : "");
                    std::copy(name.begin(), name.end(), field);
                }
            if (OneIn(3))
                SetFieldText(block.chat_name, Printable(1, 19));
            for (auto& category : block.chat_lines)
                for (auto& line : category)
                    if (OneIn(3))
                        SetFieldText(line, ChatLine());
        }
        return profile;
    }

private:
    std::mt19937 random_;
};

} // namespace vexa::test

#pragma once

#include "core/profile/ChatCategory.h"
#include "core/profile/ProfileExtras.h"

#include <random>
#include <string>

namespace vexa::test {

// Random extras of the kinds a bot holds: long texts, info keys, kept
// characteristics and defines, chat situations of the record with more
// lines than it holds and situations it has no slot for.
class RandomExtrasMaker {
public:
    explicit RandomExtrasMaker(unsigned seed) : random_(seed) {}

    int Between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }

    std::string Word(int low, int high) {
        static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz_0123456789";
        std::string word(1, 'a' + static_cast<char>(Between(0, 25)));
        for (int n = Between(low, high); n > 1; --n)
            word += kLetters[static_cast<std::size_t>(Between(0, 36))];
        return word;
    }

    // A chat line the game reads, up to the game's 255 characters.
    std::string ChatLine() {
        // Quoted in place: GCC 12 warns falsely of overlapping copies for a
        // literal joined to a temporary string.
        std::string line(static_cast<std::size_t>(Between(0, 240)) + 2, 'x');
        line.front() = '"';
        line.back() = '"';
        if (Between(0, 2) == 0)
            line += ", " + std::to_string(Between(0, 9));
        return line;
    }

    std::vector<std::string> ChatLines(int low, int high) {
        std::vector<std::string> lines;
        for (int n = Between(low, high); n > 0; --n)
            lines.push_back(ChatLine());
        return lines;
    }

    // The #include lines of a weights file whose script is `script`: the
    // game reads the file only while it includes its script.
    KeptIncludes Includes(const std::string& script) {
        KeptIncludes includes;
        includes.before.push_back(Between(0, 1) ? "<inv.h>" : "\"inv.h\"");
        if (Between(0, 1))
            includes.before.push_back("\"" + Word(2, 8) + ".h\"");
        includes.after.push_back("\"" + script + "\"");
        if (Between(0, 1))
            includes.after.push_back("\"mods/" + Word(2, 8) + ".c\"");
        return includes;
    }

    // A file name longer than the record's fields (19 characters).
    std::string LongFileName(const std::string& ending) { return "bots/" + Word(15, 30) + ending; }

    // Keys, names and situations are distinct, as a file that is read back
    // has them once each.
    ProfileExtras Extras() {
        ProfileExtras extras;
        if (Between(0, 1))
            extras.name = "A Name Longer Than Its Field " + Word(1, 30);
        if (Between(0, 1))
            extras.model = Word(5, 12) + "/" + Word(3, 12);
        if (Between(0, 1))
            extras.mainFile = Word(20, 40) + "_c.c";
        for (int n = Between(0, 4); n > 0; --n)
            extras.infoKeys.emplace_back("key" + std::to_string(n), Word(1, 20));
        static constexpr const char* kSituations[] = {
            "death_kamikaze", "death_teammate", "kill_kamikaze", "kill_teammate", "mod_capture"};
        for (LevelExtras& level : extras.levels) {
            for (int n = Between(0, 5); n > 0; --n)
                level.characteristics.push_back(
                    {std::to_string(48 + n * 6), std::to_string(Between(0, 9)), "", false});
            if (Between(0, 1))
                level.characteristics.push_back({"80", Word(1, 40), "", true});
            for (int n = Between(0, 3); n > 0; --n)
                level.weaponDefines.push_back(
                    {"W_EXTRA" + std::to_string(n), std::to_string(Between(0, 999)), "", false});
            if (Between(0, 1))
                level.itemDefines.push_back({"W_RAILGUN", "950", "500", false});
            if (Between(0, 2) == 0)
                level.weaponIncludes = Includes("fw_weap.c");
            if (Between(0, 2) == 0)
                level.itemIncludes = Includes("fw_items.c");
            if (Between(0, 2) == 0)
                level.weaponWeightsFile = LongFileName("_w.c");
            if (Between(0, 2) == 0)
                level.itemWeightsFile = LongFileName("_i.c");
            if (Between(0, 2) == 0)
                level.chatFile = LongFileName("_t.c");
            for (int n = Between(0, 3); n > 0; --n)
                level.chat.push_back({kSituations[n], ChatLines(1, 15)});
            if (Between(0, 1))
                level.chat.push_back(
                    {std::string(
                         kChatCategories[static_cast<std::size_t>(Between(0, 27))].typeName),
                     ChatLines(11, 20)});
        }
        return extras;
    }

private:
    std::mt19937 random_;
};

} // namespace vexa::test

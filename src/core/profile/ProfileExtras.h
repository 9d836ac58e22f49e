// What a bot holds beyond the profile record: the texts longer than their
// fields, every chat line the game reads, characteristics and weights the
// record has no place for, numbers as the files wrote them, and the keys of
// the bot info entry. The record stays exactly what every reader of the
// profile file expects; this companion is stored after it, in a block of
// its own that readers of the record alone never look at.
#pragma once

#include "core/profile/BotProfile.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vexa {

// A line of a bot file kept as the file had it. `key` is what the line is
// about (a characteristic's name or number, a #define's name); `value` is
// the value as written (a number's digits, or a characteristic's text
// without its quotation marks). `basis` is what the writer itself puts on
// that line from the record: while it still does, `value` is written in its
// place; once the user has changed the record's value, the record wins. An
// empty `basis` marks a line the designer does not write at all: it is
// added as it is.
struct KeptLine {
    std::string key;
    std::string value;
    std::string basis;
    bool isText = false; // characteristics: the value goes between quotation marks

    bool operator==(const KeptLine&) const = default;
};

// The lines of one chat situation. A situation of the record (by name,
// without regard to case) holds the whole list whose first ten lines that
// fit are in the record; any other situation is written after them.
struct KeptChat {
    std::string situation;
    std::vector<std::string> lines;

    bool operator==(const KeptChat&) const = default;
};

// The #include lines of a weights file as the bot had them, where they are
// not the two the designer writes itself: each file as written, between
// its quotation marks or angle brackets ("\"inv.h\"", "<syn.h>"), those
// above the first #define and those after it. While kept, they are written
// in place of the designer's own.
struct KeptIncludes {
    std::vector<std::string> before;
    std::vector<std::string> after;

    bool operator==(const KeptIncludes&) const = default;
    bool empty() const { return before.empty() && after.empty(); }
};

// The extras of one skill block (index 0, 1, 2 as in `BotProfile::skill`).
struct LevelExtras {
    std::vector<KeptLine> characteristics;
    std::vector<KeptLine> weaponDefines;
    std::vector<KeptLine> itemDefines;
    std::vector<KeptChat> chat;
    KeptIncludes weaponIncludes;
    KeptIncludes itemIncludes;
    // The whole names of the weapon weights, item weights and chat files,
    // when longer than their fields (written while the field holds their
    // first characters, as KeptText says).
    std::string weaponWeightsFile;
    std::string itemWeightsFile;
    std::string chatFile;

    bool operator==(const LevelExtras&) const = default;
};

struct ProfileExtras {
    std::string name;     // the whole name, when longer than the record's field
    std::string model;    // the whole model and skin ("knight/red"), when longer
    std::string mainFile; // the whole main file name, when longer than its field
    std::vector<std::pair<std::string, std::string>> infoKeys; // other keys of the .bot entry
    std::array<LevelExtras, 3> levels;

    bool operator==(const ProfileExtras&) const = default;
    bool empty() const { return *this == ProfileExtras{}; }
};

// A profile without extras, for callers that have none.
const ProfileExtras& NoExtras();

// Limits of what a profile keeps, so that a hostile file stays small.
inline constexpr std::size_t kMaxChatMessage = 255; // the game's chat message, without terminator
inline constexpr std::size_t kMaxKeptText = 1024;   // any other kept text
inline constexpr std::size_t kMaxExtrasBlock = 512 * 1024;

// The texts a profile may keep: a name ([A-Za-z0-9_]+, for keys and
// situations), a number as written, any text on one line, and a chat line
// of at most kMaxChatMessage characters. Nothing else is stored or read.
bool IsKeptName(std::string_view text);
bool IsKeptNumber(std::string_view text);
bool IsKeptText(std::string_view text);
bool IsKeptChatLine(std::string_view text);
// The file of an #include line as written: "name" or <name>, on one line.
bool IsKeptInclude(std::string_view text);

// The whole text of a field that `kept` extends: `kept` while the field
// still holds its first characters (the record's cut), else the field.
std::string KeptText(const std::string& field, const std::string& kept, std::size_t width);

// The lines of chat situation `category` of `block`: the kept list while
// the record still holds its first ten lines that fit, else the record's.
std::vector<std::string> ChatLinesOf(const SkillProfile& block, const LevelExtras& extras,
                                     int category);
// Stores `lines` as the lines of `category`: the record takes the first ten
// that fit, the extras the whole list when the record cannot hold it.
void SetChatLines(SkillProfile& block, LevelExtras& extras, int category,
                  const std::vector<std::string>& lines);
// The kept situations the record has no slot for, in their order.
std::vector<const KeptChat*> ExtraSituations(const LevelExtras& extras);

// The value to write for a line whose own text is `own`: a kept line of
// that key whose basis is still `own`, else `own`.
const KeptLine* KeptFor(const std::vector<KeptLine>& lines, std::string_view key,
                        std::string_view own);

// ---- Showing and removing what is kept -------------------------------------

// One thing the extras keep, as the user sees it in the list of kept data.
struct ExtraItem {
    enum class Kind {
        Name,
        Model,
        InfoKey,
        Characteristic,
        WeaponDefine,
        ItemDefine,
        Chat,
        MainFile,
        FileName,       // `at`: 0 weapon weights, 1 item weights, 2 chat file
        WeaponIncludes, // the #include lines of the weapon weights file
        ItemIncludes,
    };
    Kind kind = Kind::Name;
    int block = -1;     // the skill block (0, 1, 2); -1 for the whole bot
    std::size_t at = 0; // its place in the list it belongs to
    std::string text;   // "Skill 4: 55 0.3 (not edited by VEXA)"
};

// Everything `extras` keeps, the bot's own first, then level by level.
std::vector<ExtraItem> ExtraItems(const ProfileExtras& extras, const BotProfile& profile);
// Removes one item of ExtraItems: the record's own value is written then.
void RemoveExtra(ProfileExtras& extras, const ExtraItem& item);

// ---- The block after the record --------------------------------------------

// What a reader made of the bytes after the record.
enum class ExtrasStatus {
    None,       // the file holds the record alone, or other bytes after it
    Read,       // the block was read
    SetAside,   // the record was changed since the block was written
    Damaged,    // the block is cut short, too large or fails its checksum
    NewVersion, // the block was written by a newer VEXA
};

// The block written after the record for `extras` (nothing when empty). It
// has the oldest version that holds everything `extras` keeps, so that a
// VEXA of that version still reads it.
std::string ExtrasBlock(const ProfileExtras& extras, const std::string& recordImage);
// Reads the block in `bytes` (what follows the record) for `recordImage`.
// Any bytes are accepted; on anything but Read, `extras` is left empty.
ExtrasStatus ReadExtrasBlock(std::string_view bytes, const std::string& recordImage,
                             ProfileExtras& extras);
// The user's message for a status other than None and Read; empty for those.
const char* ExtrasMessage(ExtrasStatus status);

// The profile file with its extras: the record's image, then the block.
// Results as WriteProfileImage and ReadProfileImage; `status` tells what
// became of the block (on a failed read, the profile and extras are kept).
int WriteProfileFile(const BotProfile& profile, const ProfileExtras& extras,
                     const std::string& path);
int ReadProfileFile(BotProfile& profile, ProfileExtras& extras, const std::string& path,
                    ExtrasStatus& status);
// Make Default Bot with extras: the name and model are left out of both.
int WriteDefaultBotFile(const BotProfile& profile, const ProfileExtras& extras,
                        const std::string& path);
// The start-up load: as LoadStartupProfile, reading the extras too.
int LoadStartupProfileFile(BotProfile& profile, ProfileExtras& extras, const std::string& path,
                           ExtrasStatus& status);

// The bot as it was when it was last saved, loaded, imported or started
// with: tells whether the user has changed it since, in its record or in
// what it keeps beyond it (a kept extra removed is a change). Two bots with
// the same record and extras are the same bot, so a change undone is no
// change.
class ProfileCheckpoint {
public:
    void Mark(const BotProfile& profile, const ProfileExtras& extras) {
        image_ = ProfileImage(profile);
        extras_ = extras;
    }
    bool Changed(const BotProfile& profile, const ProfileExtras& extras) const {
        return extras != extras_ || ProfileImage(profile) != image_;
    }

private:
    std::string image_;
    ProfileExtras extras_;
};

} // namespace vexa

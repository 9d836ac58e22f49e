#pragma once

#include "core/profile/BotProfile.h"
#include "core/settings/AppSettings.h"
#include "core/util/Paths.h"

#include <string>
#include <string_view>

namespace vexa {

// The texts a folder field shows while its folder is empty. OK with the
// prompt still in the field leaves the folder as it was.
inline constexpr const char* kBaseDirPrompt = "Enter Base Model Directory Here";
inline constexpr const char* kVexaDirPrompt = "Enter .vxb Directory Here";

// What a folder field shows when its dialog opens: the folder, or the prompt
// when the folder is empty.
std::string FolderFieldText(const std::string& folder, const std::string& prompt);

// OK in a folder dialog: the field's text becomes the folder (an empty text
// empties it) unless it is exactly the prompt.
void StoreFolderField(std::string& folder, const std::string& fieldText, const std::string& prompt);

// Why a name entered for one of the bot's files or folders (a main file,
// file location, model name or base folder) cannot be used in `style`; empty
// when it can. In the Windows style a name, or a folder in it, that Windows
// reserves for a device (con, aux.bot, nul.c) is refused.
std::string EnteredNameRefusal(std::string_view name, PathStyle style = NativePathStyle());

// Model Name dialog: `model_name`, or the file-name form of the bot name when
// it is empty, cut to fit the field.
std::string ModelNameProposal(const BotProfile& profile);

// Main File Location dialog: `main_file`, or the file-name form of the bot
// name (of "botname" when the name is empty) followed by "_c.c".
std::string MainFileProposal(const BotProfile& profile);

// The three file locations of one skill level, as the File Locations dialog
// shows and stores them.
struct FileLocations {
    std::string weaponWeights;
    std::string chat;
    std::string itemWeights;

    bool operator==(const FileLocations&) const = default;
};

// What the File Locations dialog shows for the level `settings.SkillLevel`.
// For each kind: the level's stored name when the Skill 1 block holds one of
// that kind (even an empty one at this level), otherwise the proposal
// "bots/" + file-name form + suffix, cut to fit the field.
FileLocations FileLocationsShown(const BotProfile& profile, const AppSettings& settings);

// OK: the three names into the block of `level` (1, 4 or 5; any other level
// stores nothing). Each name is cut to fit its field.
void StoreFileLocations(BotProfile& profile, int level, const FileLocations& locations);

// Apply to All: the three names into the Skill 1, Skill 4 and Skill 5 blocks.
void StoreFileLocationsForAll(BotProfile& profile, const FileLocations& locations);

} // namespace vexa

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

// Why a folder typed into a folder dialog cannot be kept; empty when it can.
// A folder holding "/*" would be cut short in the settings file, which reads
// it as the start of a comment. With `mustBeAbsolute` (the base folder) a
// folder that is not an absolute path of the platform is refused too, and
// one that names a file. The empty folder is always allowed.
std::string FolderRefusal(std::string_view folder, bool mustBeAbsolute);

// Why a name entered for one of the bot's files or folders (a main file,
// file location, model name or base folder) cannot be used in `style`; empty
// when it can. In the Windows style a name, or a folder in it, that Windows
// reserves for a device (con, aux.bot, nul.c) is refused, and so is a
// character Windows does not allow in file names (< > : " | ? *, a control
// character; a colon only after the drive letter).
std::string EnteredNameRefusal(std::string_view name, PathStyle style = NativePathStyle());

// Why a file name typed for the profile field `field` ("Main file", "Chat
// file", "Model name") cannot be stored; empty when it can. `name` is
// Latin-1 as the field holds it; the text is UTF-8. Refused: a name that
// would lead outside the base folder (OutsideBaseFolderRefusal), then what
// EnteredNameRefusal refuses.
std::string StoredNameRefusal(std::string_view field, std::string_view name,
                              PathStyle style = NativePathStyle());

// Model Name dialog: `model_name`, or the file-name form of the bot name when
// it is empty, cut to fit the field.
std::string ModelNameProposal(const BotProfile& profile);

// OK in the Model Name dialog: what `model_name` becomes for the field's
// text. The proposal accepted unchanged while `model_name` is empty stores
// nothing, so the bot keeps the model the default rule gives (the whole
// file-name form, which the field may be too short to show).
std::string ModelNameToStore(const BotProfile& profile, const std::string& fieldText);

// The file name Save Bot proposes: the file-name form of the bot name, or
// "bot" when that is empty, followed by ".vxb".
std::string ProfileFileProposal(const BotProfile& profile);

// The main window's footer: where the bot's files go and which profile file
// was saved or loaded last (empty: none yet).
struct FooterLines {
    std::string baseFolder;
    std::string profileFile;
};
FooterLines FooterText(const AppSettings& settings, const std::string& profileFile);

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
// "bots/" + file-name form + suffix, the name part shortened so that the
// whole fits the field with its suffix.
FileLocations FileLocationsShown(const BotProfile& profile, const AppSettings& settings);

// OK: the three names into the block of `level` (1, 4 or 5; any other level
// stores nothing). Each name is cut to fit its field.
void StoreFileLocations(BotProfile& profile, int level, const FileLocations& locations);

// Apply to All: the three names into the Skill 1, Skill 4 and Skill 5 blocks.
void StoreFileLocationsForAll(BotProfile& profile, const FileLocations& locations);

} // namespace vexa

#pragma once

#include "core/generate/SourceChecks.h"
#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"
#include "core/settings/AppSettings.h"
#include "core/util/Paths.h"

#include <optional>
#include <string>
#include <vector>

namespace vexa {

// Create Arvon source done in memory: every file the command would write,
// how it compares with what is on disk, and what the command would stop or
// warn at. Nothing is written.
struct SourcePreview {
    enum class FileState {
        New,       // no such file yet
        Unchanged, // the file on disk holds exactly this text
        Changed,   // the file on disk would be replaced by a different text
    };
    struct File {
        std::string path; // full path, in the path style of the run
        std::string text; // "\n" line ends
        FileState state = FileState::New;
        // The bot named by the character file that this file would replace,
        // or whose place in the game it would take, when that is not this bot.
        std::string otherBot;
        // When that file is inside one of the base folder's archives: the
        // archive ("/games/base/pak0.pk3").
        std::string otherBotArchive;
    };

    // 0, or the result that stops the command before any file is written
    // (13 to 17) with its message; then `files` is empty. An unreadable chat
    // line does not stop the preview: it is among `chat`.
    int result = 0;
    std::string message;
    std::vector<File> files;
    std::vector<ChatLineFinding> chat;   // errors and warnings of the lines written
    std::vector<std::string> duplicates; // bots the game lists with this bot's name or files
    bool randomStringsKnown = false;     // the game holds botfiles/rnd.c

    bool HasChatErrors() const;
};

// `settings` are not changed (the preview uses BaseDir in normal form as
// the command would). `game`: the base folder as the game sees it, loose
// files and archives, through which the random strings and the other bots
// are read. `extras`: what the bot keeps beyond the record, written as the
// command writes it.
SourcePreview PreviewSource(const BotProfile& profile, const AppSettings& settings, PathStyle style,
                            const GameFileSource& game, const ProfileExtras& extras = NoExtras());

std::string_view FileStateText(SourcePreview::FileState state);

} // namespace vexa

// Opening the bots that already exist: the bots a game folder, an archive or
// an info file lists, and one of them read into a profile, with a report of
// everything the profile could not hold as the files had it.
#pragma once

#include "core/game/GameBots.h"
#include "core/game/GameFileSource.h"
#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"

#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// One thing the import could not keep as the files had it, or had to
// supply: a value clamped or rounded, a missing block or value and what
// was used instead, a chat line skipped, a text cut to fit its field.
struct ReportEntry {
    std::string file; // the game's relative path of the file concerned; empty for the bot
    int line = 0;     // its line in that file, 0 when none applies
    int level = 0;    // the skill level concerned (1, 4 or 5), 0 for the whole bot
    std::string text; // what happened, in the user's words
};

struct ImportOptions {
    // Keep the file names the character file uses for the weight and chat
    // files. Off (the default), the profile's file-location fields stay
    // empty, so that Create Arvon source writes every file of the bot under
    // the default names formed from its main file.
    bool keepFileNames = false;
};

struct ImportResult {
    bool ok = false;
    std::string error;                   // when !ok: why, in the user's words
    BotProfile profile = EmptyProfile(); // when ok: the bot
    ProfileExtras extras;                // when ok: what the bot holds beyond the record
    std::vector<ReportEntry> report;     // when ok: every loss, in reading order
};

// Every bot listed by the info files of `source` (ListGameBots), with what
// could not be read as report entries.
std::vector<BotEntry> ListBots(const GameFileSource& source,
                               std::vector<ReportEntry>* problems = nullptr);

// The bots whose name, or else whose model, equals `query` without regard
// to case (the command line's --bot NAME).
std::vector<BotEntry> FindBots(const std::vector<BotEntry>& bots, std::string_view query);

// Whether the bot's name, model, info file or origin holds `filter` without
// regard to case (the list's filter box). An empty filter matches every bot.
bool MatchesFilter(const BotEntry& bot, std::string_view filter);

// Reads the bot into a profile: its character file (botfiles/<aifile>) and
// the weight and chat files it names. Fails only when the character file
// cannot be read or holds no skill block; every other fault is in the report.
ImportResult ImportBot(const GameFileSource& source, const BotEntry& bot,
                       const ImportOptions& options = {});

// The same for a character file alone, named relative to botfiles/ (for
// example "bots/ranger_c.c"); the name comes from the character file and the
// model is the default one.
ImportResult ImportCharacterFile(const GameFileSource& source, const std::string& aifile,
                                 const ImportOptions& options = {});

// One report entry as a line of text: "bots/ranger_c.c, line 12, Skill 4:
// ..." (the parts that apply).
std::string ReportLine(const ReportEntry& entry);
// The whole report, one entry a line, for the user to read and copy. Empty
// when there is nothing to report.
std::string ReportText(const std::vector<ReportEntry>& report);

} // namespace vexa

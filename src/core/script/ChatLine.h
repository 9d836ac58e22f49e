// Chat lines as the game reads them. The chat file holds each stored line
// followed by ";", and the game takes that as one or more chat messages:
// components (a quoted text, a whole number that the game fills in, or the
// name of one of its random strings) joined by "," and ended by ";".
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// The names of the game's random strings (botfiles/rnd.c).
using RandomStringNames = std::set<std::string, std::less<>>;

struct ChatLineCheck {
    // False when the game cannot read the line: it refuses the whole chat
    // file and does not add the bot.
    bool readable = true;
    // Why not, in the user's words ("expected a comma after the name Hello");
    // empty when readable.
    std::string error;
    // Where the problem starts in the line (1-based); 0 when readable.
    int column = 0;
    // What the game accepts with a warning of its own (an escape above 255),
    // or what comes out different from what was meant. The line is still
    // written. Empty for an unreadable line.
    std::vector<std::string> warnings;
    // The random strings the line uses, in order.
    std::vector<std::string> randomStrings;
};

// Checks one stored chat line. An empty line is not written and so is
// readable. With `names` (the game's random strings), a random string that
// is not among them makes the line unreadable: the game says nothing when
// the bot picks it. Without them random strings are not checked.
ChatLineCheck CheckChatLine(std::string_view line, const RandomStringNames* names = nullptr);

// The one-step fix for a plain text typed without quotation marks: the
// line in quotes, with every "\" and '"' escaped. Nothing when the line is
// readable, starts with a quotation mark (it is meant as chat syntax
// already) or would not fit in `maxLength` characters.
std::optional<std::string> QuotedChatLineFix(std::string_view line, std::size_t maxLength = 79);

// The names of the random strings that an rnd.c text defines: every name at
// the outer level followed by "{" (or "= {").
RandomStringNames RandomStringNamesIn(std::string_view rndText);

} // namespace vexa

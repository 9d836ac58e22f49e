#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

namespace vexa {

// The program-wide options. `SkillLevel` and `WeightsSkillLevel` belong to
// the main window's tab strips and are never stored; the other eight fields
// live in vexa.ini.
struct AppSettings {
    std::int32_t SkillLevel = 1;
    std::int32_t WeightsSkillLevel = 1;
    std::string BaseDir; // folder under which the bot's files are generated
    std::string VEXADir; // folder in which the profile file dialogs open
    bool TabSkill = false;
    bool BothTabs = false;
    bool FineTune = false;
    bool ApplyAll = true;
    bool OkCancel = true;
    bool BuildFold = true;

    bool operator==(const AppSettings&) const = default;
};

inline constexpr const char* kSettingsFileName = "vexa.ini";
// The part of the settings file that is read; lines beyond it are ignored.
inline constexpr std::size_t kSettingsFileReadLimit = 1024 * 1024;

void ResetSettings(AppSettings& settings);

// Reads the eight stored options from the settings file at `path` (its first
// kSettingsFileReadLimit bytes). Returns 0 when the file was scanned, 1 when
// it is not a regular file or cannot be opened (nothing changed).
// A key missing from the file leaves its option as it was.
int ReadSettingsFile(AppSettings& settings, const std::string& path);

// The settings file's text for `settings`.
std::string SettingsFileText(const AppSettings& settings);

// Writes the settings file at `path`: 0 written, 1 cannot create or replace
// it, 2 writing failed. On failure the previous file is kept.
int WriteSettingsFile(const AppSettings& settings, const std::string& path);

// Reads one logical line into `line`: 0 when a line ended by a line feed was
// read, 1 when the end of the file came after some characters, 2 when it
// came before any. With `stripComments`, a "//" or "/*" that does not begin
// the line ends it (a "/*" comment runs until a line holding "*/"). Trailing
// blanks and tabs are trimmed, never the first character. Lines of any
// length are read whole; a carriage return before the line feed is dropped.
int ReadConfigLine(std::istream& in, std::string& line, bool stripComments);

// From the current position, reads logical lines until one contains `key`;
// returns that line's number (1 for the first line read) or -1 when the end
// of the file came first.
int FindKeyLine(std::istream& in, std::string_view key, bool stripComments);

} // namespace vexa

#include "core/settings/AppSettings.h"

#include "core/util/FileIO.h"
#include "core/util/Paths.h"
#include "core/util/RegularFile.h"

#include <cctype>
#include <sstream>

namespace vexa {
namespace {

constexpr int kLineEnded = 0;
constexpr int kEndAfterText = 1;
constexpr int kEndOfFile = 2;

bool EndsWith(const std::string& text, char first, char second) {
    const std::size_t n = text.size();
    return n >= 2 && text[n - 2] == first && text[n - 1] == second;
}

// Discards the rest of the physical line, up to and including its line feed.
void SkipRestOfLine(std::istream& in) {
    int c;
    while ((c = in.get()) != std::char_traits<char>::eof() && c != '\n') {
    }
}

// Skips physical lines, starting with the rest of the current one, until a
// line holding "*/" has been read or the file ends.
void SkipBlockComment(std::istream& in) {
    bool closed = false;
    int previous = '\0';
    int c;
    while ((c = in.get()) != std::char_traits<char>::eof()) {
        if (c == '\n') {
            if (closed)
                return;
            previous = '\0';
            continue;
        }
        closed = closed || (previous == '*' && c == '/');
        previous = c;
    }
}

int FinishLine(std::string& line) {
    while (line.size() > 1 && (line.back() == ' ' || line.back() == '\t'))
        line.pop_back();
    return kLineEnded;
}

// The value of the first line holding `key`: the line from the key's length
// on, less one leading blank. Nothing when no line holds the key.
bool FindKeyValue(std::istream& in, std::string_view key, std::string& value) {
    in.clear();
    in.seekg(0);
    std::string line;
    int result;
    while ((result = ReadConfigLine(in, line, true)) == kLineEnded) {
        if (line.find(key) != std::string::npos) {
            value = line.substr(std::min(key.size(), line.size()));
            if (!value.empty() && value.front() == ' ')
                value.erase(0, 1);
            return true;
        }
    }
    return false;
}

// A folder as the settings file holds it. The reader takes "//" for the
// start of a comment and would cut the folder there, so a slash that follows
// a slash is written as the platform's separator (Windows), where it still
// names the same folder, or left out (POSIX, where a run of slashes is one
// separator).
std::string FolderLineValue(const std::string& folder) {
    std::string value;
    value.reserve(folder.size());
    for (const char c : folder) {
        if (c == '/' && !value.empty() && value.back() == '/') {
            if (NativePathStyle() == PathStyle::Windows)
                value.push_back(PathSeparator(PathStyle::Windows));
            continue;
        }
        value.push_back(c);
    }
    return value;
}

} // namespace

void ResetSettings(AppSettings& settings) {
    settings = AppSettings{};
}

int ReadConfigLine(std::istream& in, std::string& line, bool stripComments) {
    line.clear();
    int c;
    while ((c = in.get()) != std::char_traits<char>::eof()) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return FinishLine(line);
        }
        line.push_back(static_cast<char>(c));
        // A comment mark whose first character begins the line is text.
        if (!stripComments || line.size() < 3)
            continue;
        if (EndsWith(line, '/', '/')) {
            SkipRestOfLine(in);
            line.resize(line.size() - 2);
            return FinishLine(line);
        }
        if (EndsWith(line, '/', '*')) {
            SkipBlockComment(in);
            line.resize(line.size() - 2);
            return FinishLine(line);
        }
    }
    return line.empty() ? kEndOfFile : kEndAfterText;
}

int FindKeyLine(std::istream& in, std::string_view key, bool stripComments) {
    std::string line;
    for (int number = 1; ReadConfigLine(in, line, stripComments) == kLineEnded; ++number)
        if (line.find(key) != std::string::npos)
            return number;
    return -1;
}

int ReadSettingsFile(AppSettings& settings, const std::string& path) {
    // Only a regular file, and only its first mebibyte: the options fill a
    // few hundred bytes, and a pipe or a huge file must not stall the start.
    std::string text;
    if (ReadRegularFile(path, kSettingsFileReadLimit, text) != ReadStatus::Read)
        return 1;
    std::istringstream in(std::move(text));

    std::string value;
    const std::pair<std::string_view, std::string*> folders[] = {
        {"BaseDir =", &settings.BaseDir},
        {"VEXADir =", &settings.VEXADir},
    };
    for (const auto& [key, folder] : folders)
        if (FindKeyValue(in, key, value))
            *folder = value;

    const std::pair<std::string_view, bool*> flags[] = {
        {"TabSkill =", &settings.TabSkill}, {"BothTabs =", &settings.BothTabs},
        {"ApplyAll =", &settings.ApplyAll}, {"FineTune =", &settings.FineTune},
        {"OkCancel =", &settings.OkCancel}, {"BuildFold =", &settings.BuildFold},
    };
    for (const auto& [key, flag] : flags) {
        if (!FindKeyValue(in, key, value))
            continue;
        for (char& c : value)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        *flag = value == "true";
    }
    return 0;
}

std::string SettingsFileText(const AppSettings& settings) {
    const auto flag = [](bool on) { return on ? "true\n" : "false\n"; };
    std::string text = "// Generated by Arvon Bot Designer\n\n[SETTINGS]\n\n";
    text += "BaseDir = " + FolderLineValue(settings.BaseDir) + "\n";
    text += "VEXADir = " + FolderLineValue(settings.VEXADir) + "\n";
    text += std::string("TabSkill = ") + flag(settings.TabSkill);
    text += std::string("BothTabs = ") + flag(settings.BothTabs);
    text += std::string("ApplyAll = ") + flag(settings.ApplyAll);
    text += std::string("FineTune = ") + flag(settings.FineTune);
    text += std::string("OkCancel = ") + flag(settings.OkCancel);
    text += std::string("BuildFold = ") + flag(settings.BuildFold);
    return text;
}

int WriteSettingsFile(const AppSettings& settings, const std::string& path) {
    return WriteResultCode(ReplaceFile(path, SettingsFileText(settings), LineEnds::Platform));
}

} // namespace vexa

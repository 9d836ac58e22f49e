// The settings file reader on arbitrary bytes (very long lines, unterminated
// "/*" comments, binary, keys at the very end), and the settings written
// back from what it read.
//
// Properties:
// - Reading never fails for a file that exists, and never touches the tab
//   strips' levels.
// - A folder read holds no line feed and ends in no blank or tab.
// - Settings written with WriteSettingsFile read back as written, for every
//   folder the file format can carry (see CanCarry).
// - ReadConfigLine returns lines without line feeds and reports the end of
//   the input the same way whatever the comment switch.
#include "FuzzSupport.h"
#include "core/settings/AppSettings.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

namespace vexa::fuzz {
namespace {

constexpr std::string_view kKeys[] = {"BaseDir =",  "VEXADir =",  "TabSkill =", "BothTabs =",
                                      "ApplyAll =", "FineTune =", "OkCancel =", "BuildFold ="};

bool EndsInBlank(const std::string& text) {
    return !text.empty() && (text.back() == ' ' || text.back() == '\t');
}

// Whether a folder survives the trip through the settings file. The file
// has no quoting: a folder value runs to the end of its line, so it cannot
// hold a line feed or end in a blank, tab or carriage return (trimmed and
// dropped as the line end); "/*" opens a comment; and a folder holding a
// key's text would be found as that key's line. "//" is carried: the writer
// writes a run of slashes as one separator (see WrittenFolder).
bool CanCarry(const std::string& folder) {
    if (folder.find('\n') != std::string::npos || folder.find("/*") != std::string::npos)
        return false;
    if (EndsInBlank(folder) || (!folder.empty() && folder.back() == '\r'))
        return false;
    for (std::string_view key : kKeys)
        if (folder.find(key) != std::string::npos)
            return false;
    return true;
}

// The folder as the settings file gives it back: runs of slashes are
// written as one separator, which names the same folder.
std::string WrittenFolder(const std::string& folder) {
    std::string written;
    for (char c : folder)
        if (c != '/' || written.empty() || written.back() != '/')
            written.push_back(c);
    return written;
}

void CheckReadFolders(const AppSettings& settings) {
    for (const std::string* folder : {&settings.BaseDir, &settings.VEXADir}) {
        Check(folder->find('\n') == std::string::npos, "a folder read holds no line feed");
        Check(!EndsInBlank(*folder), "a folder read ends in no blank or tab");
    }
    Check(settings.SkillLevel == 4 && settings.WeightsSkillLevel == 5,
          "reading never changes the tab strips' levels");
}

void CheckRoundTrip(const AppSettings& written, const std::string& path) {
    Check(WriteSettingsFile(written, path) == 0, "the settings file can be written");
    AppSettings read;
    read.SkillLevel = 4;
    read.WeightsSkillLevel = 5;
    read.BaseDir = "previous base";
    read.VEXADir = "previous vexa";
    read.TabSkill = !written.TabSkill;
    read.BothTabs = !written.BothTabs;
    read.FineTune = !written.FineTune;
    read.ApplyAll = !written.ApplyAll;
    read.OkCancel = !written.OkCancel;
    read.BuildFold = !written.BuildFold;
    Check(ReadSettingsFile(read, path) == 0, "the written file is read");
    CheckReadFolders(read);

    AppSettings expected = written;
    expected.SkillLevel = 4;
    expected.WeightsSkillLevel = 5;
    expected.BaseDir = WrittenFolder(written.BaseDir);
    expected.VEXADir = WrittenFolder(written.VEXADir);
    Check(read == expected, "settings read back as they were written");
}

void CheckLines(std::string_view bytes) {
    for (bool stripComments : {false, true}) {
        std::istringstream in{std::string(bytes)};
        std::string line;
        int result;
        std::size_t lines = 0;
        while ((result = ReadConfigLine(in, line, stripComments)) == 0) {
            Check(line.find('\n') == std::string::npos, "a line holds no line feed");
            Check(++lines <= bytes.size(), "every line read consumes input");
        }
        Check(result == 1 || result == 2, "the end of the input is reported");
    }
}

void Run(const std::uint8_t* data, std::size_t size) {
    static const ScratchFolder scratch;
    const std::string input = scratch.file("input.ini");
    const std::string output = scratch.file("vexa.ini");
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    CheckLines(bytes);

    // The file as it is.
    PutFile(input, bytes);
    AppSettings settings;
    ResetSettings(settings);
    settings.SkillLevel = 4;
    settings.WeightsSkillLevel = 5;
    Check(ReadSettingsFile(settings, input) == 0, "an existing file is read");
    CheckReadFolders(settings);
    if (CanCarry(settings.BaseDir) && CanCarry(settings.VEXADir))
        CheckRoundTrip(settings, output);

    // The input as two folder values and six flags, written and read back.
    if (size >= 1) {
        const std::uint8_t flags = data[0];
        const std::string_view rest = bytes.substr(1);
        const std::size_t cut = rest.find('\xff');
        AppSettings chosen;
        chosen.BaseDir = std::string(rest.substr(0, cut));
        chosen.VEXADir = cut == std::string_view::npos ? "" : std::string(rest.substr(cut + 1));
        chosen.TabSkill = flags & 1;
        chosen.BothTabs = flags & 2;
        chosen.FineTune = flags & 4;
        chosen.ApplyAll = flags & 8;
        chosen.OkCancel = flags & 16;
        chosen.BuildFold = flags & 32;
        if (CanCarry(chosen.BaseDir) && CanCarry(chosen.VEXADir))
            CheckRoundTrip(chosen, output);
    }
}

} // namespace
} // namespace vexa::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vexa::fuzz::Run(data, size);
    return 0;
}

#include "core/cli/CommandLine.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>

namespace vexa {
namespace {

using Mode = CommandLine::Mode;
using Args = std::vector<std::string>;

TEST(ParseCommandLine, DesktopTakesTheFirstFileName) {
    EXPECT_EQ(ParseCommandLine({}, PathStyle::Posix).mode, Mode::Desktop);
    EXPECT_TRUE(ParseCommandLine({}, PathStyle::Posix).profileFile.empty());
    const CommandLine two = ParseCommandLine({"bot.vxb", "other.vxb"}, PathStyle::Posix);
    EXPECT_EQ(two.mode, Mode::Desktop);
    EXPECT_EQ(two.profileFile, "bot.vxb");
    // Absolute POSIX paths are file names; "--" ends the switches.
    EXPECT_EQ(ParseCommandLine({"/home/me/bot.vxb"}, PathStyle::Posix).profileFile,
              "/home/me/bot.vxb");
    EXPECT_EQ(ParseCommandLine({"--", "-odd.vxb"}, PathStyle::Posix).profileFile, "-odd.vxb");
}

TEST(ParseCommandLine, GenerateWithOrWithoutBaseDirInEitherSpelling) {
    for (const Args& args : {Args{"--generate", "a.vxb", "--base-dir", "/out"},
                             Args{"--base-dir", "/out", "--generate", "a.vxb"},
                             Args{"--generate=a.vxb", "--base-dir=/out"}}) {
        const CommandLine line = ParseCommandLine(args, PathStyle::Posix);
        EXPECT_EQ(line.mode, Mode::Generate) << line.error;
        EXPECT_EQ(line.profileFile, "a.vxb");
        EXPECT_EQ(line.baseDir, "/out");
    }
    const CommandLine plain = ParseCommandLine({"--generate", "/abs/a.vxb"}, PathStyle::Posix);
    EXPECT_EQ(plain.mode, Mode::Generate);
    EXPECT_EQ(plain.profileFile, "/abs/a.vxb");
    EXPECT_FALSE(plain.baseDir.has_value());
}

TEST(ParseCommandLine, CheckAndForce) {
    CommandLine line = ParseCommandLine({"--check", "a.vxb", "--base-dir", "/g"}, PathStyle::Posix);
    EXPECT_EQ(line.mode, Mode::Check) << line.error;
    EXPECT_EQ(line.profileFile, "a.vxb");
    EXPECT_EQ(line.baseDir, "/g");
    line = ParseCommandLine({"--force", "--generate=a.vxb"}, PathStyle::Posix);
    EXPECT_EQ(line.mode, Mode::Generate) << line.error;
    EXPECT_TRUE(line.force);
    EXPECT_FALSE(ParseCommandLine({"--generate", "a.vxb"}, PathStyle::Posix).force);
}

TEST(ParseCommandLine, HelpAndVersion) {
    EXPECT_EQ(ParseCommandLine({"--help"}, PathStyle::Posix).mode, Mode::Help);
    EXPECT_EQ(ParseCommandLine({"-h"}, PathStyle::Posix).mode, Mode::Help);
    EXPECT_EQ(ParseCommandLine({"--generate", "a.vxb", "--help"}, PathStyle::Posix).mode,
              Mode::Help);
    EXPECT_EQ(ParseCommandLine({"--version"}, PathStyle::Posix).mode, Mode::Version);
}

TEST(ParseCommandLine, UsageErrorsSayWhatIsWrong) {
    const std::pair<Args, const char*> cases[] = {
        {{"--generate", "a.vxb", "--bogus"}, "unknown option '--bogus'"},
        {{"-x", "--generate", "a.vxb"}, "unknown option '-x'"},
        {{"--version", "-style", "fusion"}, "unknown option '-style'"},
        {{"--list-bots", "base", "--bogus"}, "unknown option '--bogus'"},
        {{"--check", "a.vxb", "--bogus"}, "unknown option '--bogus'"},
        {{"--generate"}, "--generate needs a profile file"},
        {{"--generate", "--base-dir", "/x"}, "--generate needs a profile file"},
        {{"--generate", "a.vxb", "--base-dir"}, "--base-dir needs a folder"},
        {{"--base-dir", "/x"}, "--base-dir can only be used with --generate or --check"},
        {{"--force"}, "--force can only be used with --generate"},
        {{"--check", "a.vxb", "--force"}, "--force can only be used with --generate"},
        {{"--check"}, "--check needs a profile file"},
        {{"--check", "a.vxb", "--generate", "a.vxb"},
         "--generate and --check cannot be used together"},
        {{"--generate", "a.vxb", "b.vxb"}, "unexpected argument 'b.vxb' after --generate a.vxb"},
        {{"--generate", "a.vxb", "--generate", "b.vxb"}, "--generate is given more than once"},
        {{"--version=2"}, "--version takes no value"},
    };
    for (const auto& [args, error] : cases) {
        const CommandLine line = ParseCommandLine(args, PathStyle::Posix);
        EXPECT_EQ(line.mode, Mode::Error) << error;
        EXPECT_EQ(line.error, error);
    }
}

TEST(ParseCommandLine, DesktopSkipsUnknownSwitches) {
    // What the toolkit leaves of "vexa -style fusion -x bot.vxb -y".
    const CommandLine line = ParseCommandLine({"-x", "bot.vxb", "-y"}, PathStyle::Posix);
    EXPECT_EQ(line.mode, Mode::Desktop);
    EXPECT_EQ(line.profileFile, "bot.vxb");
    EXPECT_EQ(line.skippedSwitches, (Args{"-x", "-y"}));
    EXPECT_EQ(SkippedSwitchWarning("-x"), "vexa: ignoring unknown option '-x'");
    // Known switches used wrongly stay usage errors.
    EXPECT_EQ(ParseCommandLine({"--bogus", "--base-dir", "/x"}, PathStyle::Posix).mode,
              Mode::Error);
}

TEST(ParseCommandLine, WindowsSwitchesMayBeginWithASlash) {
    EXPECT_EQ(ParseCommandLine({"/?"}, PathStyle::Windows).mode, Mode::Help);
    const CommandLine line = ParseCommandLine(
        {"/generate", "C:\\bots\\a.vxb", "/base-dir", "C:\\game"}, PathStyle::Windows);
    EXPECT_EQ(line.mode, Mode::Generate) << line.error;
    EXPECT_EQ(line.profileFile, "C:\\bots\\a.vxb");
    EXPECT_EQ(line.baseDir, "C:\\game");
    EXPECT_EQ(ParseCommandLine({"/home/bot.vxb"}, PathStyle::Windows).skippedSwitches,
              Args{"/home/bot.vxb"});
    EXPECT_EQ(ParseCommandLine({"C:\\bots\\a.vxb"}, PathStyle::Windows).profileFile,
              "C:\\bots\\a.vxb");
}

TEST(IsHeadlessRequest, OnlyAPlainCommandLineOpensTheDesktop) {
    EXPECT_FALSE(IsHeadlessRequest({}));
    EXPECT_FALSE(IsHeadlessRequest({"bot.vxb"}));
    EXPECT_TRUE(IsHeadlessRequest({"--generate", "bot.vxb"}));
    EXPECT_TRUE(IsHeadlessRequest({"--version"}));
    EXPECT_TRUE(IsHeadlessRequest({"--generate", "bot.vxb", "--bogus"}));
    // The toolkit's own switches reach the desktop program.
    EXPECT_FALSE(IsHeadlessRequest({"-style", "fusion", "bot.vxb"}));
    EXPECT_FALSE(IsHeadlessRequest({"-platform", "xcb"}));
}

// The switches the manual page documents: the entries of its OPTIONS
// section, "--" (the end of the switches) left out.
std::set<std::string> ManualPageSwitches() {
    std::ifstream page(VEXA_MAN_PAGE);
    EXPECT_TRUE(page) << VEXA_MAN_PAGE;
    std::set<std::string> switches;
    bool inOptions = false;
    bool entryHead = false;
    const std::regex switchName("(^|[ \"])(--?[a-z][a-z0-9-]*)");
    for (std::string line; std::getline(page, line);) {
        if (line.rfind(".SH", 0) == 0)
            inOptions = line == ".SH OPTIONS";
        if (inOptions && entryHead) {
            line = std::regex_replace(line, std::regex("\\\\-"), "-");
            for (std::sregex_iterator it(line.begin(), line.end(), switchName), end; it != end;
                 ++it)
                switches.insert((*it)[2]);
        }
        entryHead = inOptions && line == ".TP";
    }
    return switches;
}

TEST(CommandSwitches, EverySwitchIsDocumentedAndEveryDocumentedSwitchExists) {
    std::set<std::string> table;
    for (const CommandSwitch& entry : CommandSwitches()) {
        table.emplace(entry.name);
        if (!entry.alias.empty())
            table.emplace(entry.alias);
    }
    EXPECT_EQ(ManualPageSwitches(), table);
}

TEST(CommandSwitches, EveryRowParsesAsItSays) {
    for (const CommandSwitch& entry : CommandSwitches()) {
        const std::string name(entry.name);
        // A value switch takes its value in either spelling, a flag none.
        if (!entry.argument.empty()) {
            EXPECT_EQ(ParseCommandLine({name}, PathStyle::Posix).error,
                      name + " needs " + std::string(entry.needs));
            EXPECT_EQ(ParseCommandLine({name + "=v", name, "w"}, PathStyle::Posix).error,
                      name + " is given more than once");
        } else {
            EXPECT_EQ(ParseCommandLine({name + "=v"}, PathStyle::Posix).error,
                      name + " takes no value");
        }
        // The switches a row names are switches of the table.
        for (const std::string_view other : {entry.excludes, entry.needsAlso}) {
            EXPECT_TRUE(other.empty() ||
                        std::ranges::any_of(CommandSwitches(),
                                            [other](auto& s) { return s.name == other; }))
                << name;
        }
        if (entry.mode == Mode::Desktop) {
            const std::string alone = entry.argument.empty() ? name : name + "=v";
            EXPECT_EQ(
                ParseCommandLine({alone}, PathStyle::Posix).error.rfind(name + " can only", 0), 0u)
                << name;
        }
    }
}

} // namespace
} // namespace vexa

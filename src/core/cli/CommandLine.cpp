#include "core/cli/CommandLine.h"

#include "core/cli/LevelsCommand.h"
#include "core/cli/PackageCommand.h"
#include "core/cli/SourceCommands.h"
#include "core/generate/GenerateSource.h"
#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"
#include "core/settings/AppSettings.h"

#include <algorithm>

namespace vexa {

namespace {

bool IsSwitch(const std::string& arg, PathStyle style) {
    if (arg.empty())
        return false;
    return arg.front() == '-' || (style == PathStyle::Windows && arg.front() == '/');
}

// The switch's name in its "--name" spelling ("/name" is the same switch on
// Windows) and its value when given as "--name=value".
struct SwitchParts {
    std::string name;
    std::optional<std::string> value;
};

SwitchParts SplitSwitch(const std::string& arg, PathStyle style) {
    SwitchParts parts;
    std::string spelled = arg;
    if (style == PathStyle::Windows && arg.front() == '/')
        spelled = arg == "/?" ? "--help" : "--" + arg.substr(1);
    const std::size_t equals = spelled.find('=');
    if (spelled.rfind("--", 0) == 0 && equals != std::string::npos) {
        parts.name = spelled.substr(0, equals);
        parts.value = spelled.substr(equals + 1);
    } else {
        parts.name = spelled;
    }
    return parts;
}

using Mode = CommandLine::Mode;

constexpr CommandSwitch kSwitches[] = {
    {.name = "--generate",
     .argument = "PROFILE.vxb",
     .needs = "a profile file",
     .mode = Mode::Generate,
     .synopsis = "--generate PROFILE.vxb [--base-dir DIR] [--force]\n"
                 "--generate PROFILE.vxb --pk3 PACKAGE.pk3",
     .help = "write the bot's files from the profile, without a\n"
             "window, using the options of vexa.ini in the\n"
             "current folder (the defaults when there is none)",
     .store = [](CommandLine& line, std::string value) { line.profileFile = std::move(value); }},
    {.name = "--check",
     .argument = "PROFILE.vxb",
     .needs = "a profile file",
     .mode = Mode::Check,
     .synopsis = "--check PROFILE.vxb [--base-dir DIR]",
     .help = "check that the game can read every chat line\n"
             "--generate would write; prints each problem and\n"
             "warning on a line of its own",
     .store = [](CommandLine& line, std::string value) { line.profileFile = std::move(value); }},
    {.name = "--levels",
     .argument = "PROFILE.vxb",
     .needs = "a profile file",
     .mode = Mode::Levels,
     .synopsis = "--levels PROFILE.vxb",
     .help = "print every characteristic of the bot at the game's\n"
             "five levels as the game reads it: its name, then\n"
             "its value at levels 1 to 5 (levels 2 and 3 are\n"
             "computed from Skill 1 and Skill 4), separated by\n"
             "tabs; what the game reads as 0 or takes from\n"
             "Skill 1 unexpectedly goes to standard error",
     .store = [](CommandLine& line, std::string value) { line.profileFile = std::move(value); }},
    {.name = "--base-dir",
     .argument = "DIR",
     .needs = "a folder",
     .usedWith = "--generate --check",
     .help = "write below DIR instead of the BaseDir option, for\n"
             "this run only (a relative DIR is taken from the\n"
             "current folder); with --check, the folder whose\n"
             "botfiles/rnd.c names the game's random strings",
     .store = [](CommandLine& line, std::string value) { line.baseDir = std::move(value); }},
    {.name = "--pk3",
     .argument = "PACKAGE.pk3",
     .needs = "a package file",
     .usedWith = "--generate",
     .excludes = "--base-dir",
     .help = "write the bot's files into one package for the game\n"
             "(a .pk3 archive) instead of the base folder",
     .store = [](CommandLine& line, std::string value) { line.packageFile = std::move(value); }},
    {.name = "--force",
     .usedWith = "--generate",
     .help = "let --generate replace a character file that\n"
             "belongs to another bot",
     .store = [](CommandLine& line, std::string) { line.force = true; }},
    {.name = "--import",
     .argument = "SOURCE",
     .needs = "a folder, .pk3, .bot or character file",
     .mode = Mode::Import,
     .needsAlso = "--output",
     .synopsis = "--import SOURCE [--bot NAME] [--keep-file-names]\n"
                 "        --output PROFILE.vxb",
     .help = "read a bot of the game's files into a profile file;\n"
             "SOURCE is a base folder (its loose files and .pk3\n"
             "archives), a .pk3, a .bot file or a character file",
     .store = [](CommandLine& line, std::string value) { line.import.source = std::move(value); }},
    {.name = "--bot",
     .argument = "NAME",
     .needs = "a bot's name",
     .usedWith = "--import",
     .help = "the bot to import when SOURCE holds several: its\n"
             "name, or else its model, in any case",
     .store = [](CommandLine& line, std::string value) { line.import.bot = std::move(value); }},
    {.name = "--keep-file-names",
     .usedWith = "--import",
     .help = "keep the file names the bot's character file uses\n"
             "for its weight and chat files (by default they\n"
             "get the default names of the bot's main file)",
     .store = [](CommandLine& line, std::string) { line.import.keepFileNames = true; }},
    {.name = "--output",
     .argument = "PROFILE.vxb",
     .needs = "a profile file",
     .usedWith = "--import",
     .help = "the profile file --import writes (replacing it)",
     .store = [](CommandLine& line, std::string value) { line.import.output = std::move(value); }},
    {.name = "--list-bots",
     .argument = "SOURCE",
     .needs = "a folder, .pk3, .bot or character file",
     .mode = Mode::ListBots,
     .synopsis = "--list-bots SOURCE",
     .help = "list the bots SOURCE holds: name, model, and the\n"
             "file and folder or archive they come from",
     .store = [](CommandLine& line,
                 std::string value) { line.import.listBots = std::move(value); }},
    {.name = "--help",
     .alias = "-h",
     .mode = Mode::Help,
     .synopsis = "--help | --version",
     .help = "show this help and exit"},
    {.name = "--version", .mode = Mode::Version, .help = "show the version and exit"},
};

const CommandSwitch* FindSwitch(std::string_view name) {
    for (const CommandSwitch& entry : kSwitches)
        if (entry.name == name || (!entry.alias.empty() && entry.alias == name))
            return &entry;
    return nullptr;
}

// The parts of `text` between the separators.
std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    while (!text.empty()) {
        const std::size_t end = text.find(separator);
        parts.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    return parts;
}

// True when the blank-separated `list` holds `word`.
bool ListHolds(std::string_view list, std::string_view word) {
    const std::vector<std::string_view> words = Split(list, ' ');
    return std::ranges::find(words, word) != words.end();
}

// "--generate or --check" for the list "--generate --check".
std::string Alternatives(std::string_view list) {
    std::string text(list);
    for (std::size_t blank = text.find(' '); blank != std::string::npos;
         blank = text.find(' ', blank + 4))
        text.replace(blank, 1, " or ");
    return text;
}

} // namespace

std::span<const CommandSwitch> CommandSwitches() {
    return kSwitches;
}

CommandLine ParseCommandLine(const std::vector<std::string>& args, PathStyle style) {
    CommandLine result;
    // The switches given, in the table's order, each with its value.
    std::vector<std::pair<const CommandSwitch*, std::string>> given;
    bool switchesEnded = false;
    std::vector<std::string> others;
    std::vector<std::string> unknown;

    auto fail = [&result](std::string message) {
        if (result.error.empty())
            result.error = std::move(message);
    };
    auto isGiven = [&given](std::string_view name) {
        for (const auto& [entry, value] : given)
            if (entry->name == name)
                return true;
        return false;
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (switchesEnded || !IsSwitch(arg, style)) {
            others.push_back(arg);
            continue;
        }
        if (arg == "--") {
            switchesEnded = true;
            continue;
        }
        SwitchParts parts = SplitSwitch(arg, style);
        const CommandSwitch* entry = FindSwitch(parts.name);
        if (entry == nullptr) {
            unknown.push_back(arg);
            continue;
        }
        const std::string name(entry->name);
        if (isGiven(entry->name)) {
            fail(name + " is given more than once");
            continue;
        }
        if (entry->argument.empty()) {
            if (parts.value)
                fail(parts.name + " takes no value");
            given.emplace_back(entry, std::string());
            continue;
        }
        if (!parts.value && i + 1 < args.size() && !IsSwitch(args[i + 1], style))
            parts.value = args[++i];
        if (!parts.value || parts.value->empty()) {
            fail(name + " needs " + std::string(entry->needs));
            continue;
        }
        given.emplace_back(entry, std::move(*parts.value));
    }
    std::sort(given.begin(), given.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });

    // The mode: help and version win over everything else; two other modes
    // cannot be given together.
    const CommandSwitch* mode = nullptr;
    for (const auto& [entry, value] : given) {
        if (entry->mode == Mode::Desktop)
            continue;
        if (entry->mode == Mode::Help || entry->mode == Mode::Version) {
            if (mode == nullptr || (mode->mode != Mode::Help && mode->mode != Mode::Version))
                mode = entry;
        } else if (mode == nullptr) {
            mode = entry;
        } else if (mode->mode != Mode::Help && mode->mode != Mode::Version) {
            fail(std::string(mode->name) + " and " + std::string(entry->name) +
                 " cannot be used together");
        }
    }
    if (result.error.empty() && !unknown.empty()) {
        if (mode != nullptr)
            fail("unknown option '" + unknown.front() + "'");
        else
            result.skippedSwitches = std::move(unknown);
    }
    if (mode != nullptr && (mode->mode == Mode::Help || mode->mode == Mode::Version)) {
        if (result.error.empty())
            result.mode = mode->mode;
        else
            result.mode = Mode::Error;
        return result;
    }
    for (const auto& [entry, value] : given) {
        if (entry->mode != Mode::Desktop)
            continue;
        if (mode == nullptr || !ListHolds(entry->usedWith, mode->name))
            fail(std::string(entry->name) + " can only be used with " +
                 Alternatives(entry->usedWith));
    }
    if (mode != nullptr) {
        const std::string modeValue = std::find_if(given.begin(), given.end(), [mode](auto& g) {
                                          return g.first == mode;
                                      })->second;
        if (!others.empty())
            fail("unexpected argument '" + others.front() + "' after " + std::string(mode->name) +
                 " " + modeValue);
        for (const auto& [entry, value] : given) {
            if (!entry->excludes.empty() && isGiven(entry->excludes))
                fail(std::string(entry->excludes) + " and " + std::string(entry->name) +
                     " cannot be used together");
            if (!entry->needsAlso.empty() && !isGiven(entry->needsAlso))
                fail(std::string(entry->name) + " needs " + std::string(entry->needsAlso) + " " +
                     std::string(FindSwitch(entry->needsAlso)->argument));
        }
        result.mode = mode->mode;
    } else if (!others.empty()) {
        result.profileFile = others.front();
    }
    for (auto& [entry, value] : given)
        if (entry->store != nullptr)
            entry->store(result, std::move(value));
    if (!result.error.empty())
        result.mode = Mode::Error;
    return result;
}

bool IsHeadlessRequest(const std::vector<std::string>& args) {
    // Usage errors are reported on the terminal as well; the desktop program
    // starts only for a plain command line.
    return ParseCommandLine(args).mode != CommandLine::Mode::Desktop;
}

std::string SkippedSwitchWarning(const std::string& skippedSwitch) {
    return "vexa: ignoring unknown option '" + skippedSwitch + "'";
}

std::string UsageText() {
    constexpr std::size_t kHelpColumn = 26;
    std::string text = "Usage: vexa [PROFILE.vxb]\n";
    for (const CommandSwitch& entry : kSwitches) {
        // An indented line continues the one above it.
        for (const std::string_view line : Split(entry.synopsis, '\n'))
            text += (line.front() == ' ' ? std::string(12, ' ') : "       vexa ") +
                    std::string(line) + '\n';
    }
    text += "\n"
            "VEXA, the Arvon Bot Designer: designs bots for the game Arvon and writes\n"
            "their script files.\n"
            "\n"
            "  PROFILE.vxb             open the desktop program on this profile\n";
    for (const CommandSwitch& entry : kSwitches) {
        std::string label = "  ";
        if (!entry.alias.empty())
            label += std::string(entry.alias) + ", ";
        label += entry.name;
        if (!entry.argument.empty()) {
            label += ' ';
            label += entry.argument;
        }
        for (const std::string_view line : Split(entry.help, '\n')) {
            label.resize(std::max(kHelpColumn, label.size() + 2), ' ');
            text += label + std::string(line) + '\n';
            label.clear();
        }
    }
    return text + "\n"
                  "The desktop program also takes the toolkit's standard options (such as\n"
                  "-style NAME or -platform NAME) and skips, with a warning, any other switch.\n"
                  "\n"
                  "vexa --generate never changes vexa.ini. Exit status: 0 when every file was\n"
                  "written, 1 when the profile file cannot be read, 2 for a usage error, 3 when\n"
                  "the bot's character file belongs to another bot and --force is not given\n"
                  "(nothing is written), 43 when a chat line cannot be read by the game\n"
                  "(nothing is written), and otherwise the generate result code (11 to 52)\n"
                  "with its message on standard error; with --pk3 also 61 when the package\n"
                  "file cannot be created and 62 when writing it fails (an older package of\n"
                  "that name is then kept). vexa --check exits with 0 when every chat line\n"
                  "can be read, 43 when one cannot, 17 when a file name of the profile leads\n"
                  "outside the base folder (as --generate), 1 and 2 as above. vexa --levels\n"
                  "exits with 0, 1 and 2 as above.\n"
                  "\n"
                  "vexa --import writes what could not be kept as the files had it on standard\n"
                  "error. Exit status of --import and --list-bots: 0 on success, 2 for a usage\n"
                  "error, 3 when SOURCE cannot be read, 4 when no bot is found (or none of the\n"
                  "--bot name), 5 when SOURCE holds several bots and no --bot chooses one (they\n"
                  "are listed on standard output), 6 when the bot's character file cannot be\n"
                  "read, 7 when the profile file cannot be written.\n";
}

int RunHeadless(const CommandLine& commandLine, std::ostream& out, std::ostream& err) {
    switch (commandLine.mode) {
    case CommandLine::Mode::Help:
        out << UsageText();
        return 0;
    case CommandLine::Mode::Version:
        out << "vexa " << VEXA_VERSION << '\n';
        return 0;
    case CommandLine::Mode::Error:
        err << "vexa: " << commandLine.error << "\nTry 'vexa --help' for more information.\n";
        return 2;
    case CommandLine::Mode::Desktop:
        err << "vexa: nothing to do without a window; see 'vexa --help'\n";
        return 2;
    case CommandLine::Mode::Import:
    case CommandLine::Mode::ListBots:
        return RunImport(commandLine.import, out, err);
    case CommandLine::Mode::Check:
        return RunCheck(commandLine, out, err);
    case CommandLine::Mode::Levels:
        return RunLevels(commandLine, out, err);
    case CommandLine::Mode::Generate:
        break;
    }

    BotProfile profile = EmptyProfile();
    ProfileExtras extras;
    if (!ReadCommandProfile(commandLine.profileFile, profile, extras, err))
        return 1;
    AppSettings settings = CommandSettings();
    if (commandLine.packageFile)
        return RunPackageExport(profile, settings, *commandLine.packageFile, out, err, extras);
    if (commandLine.baseDir)
        settings.BaseDir = AbsolutePath(*commandLine.baseDir);

    return RunGenerate(profile, settings, commandLine.force, out, err, extras);
}

} // namespace vexa

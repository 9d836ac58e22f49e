#include "core/cli/CommandLine.h"

#include "core/generate/GenerateSource.h"
#include "core/profile/BotProfile.h"
#include "core/settings/AppSettings.h"

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

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args, PathStyle style) {
    CommandLine result;
    std::optional<std::string> generate;
    bool help = false;
    bool version = false;
    bool switchesEnded = false;
    std::vector<std::string> others;

    auto fail = [&result](std::string message) {
        if (result.error.empty())
            result.error = std::move(message);
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
        if (parts.name == "--help" || parts.name == "-h") {
            help = true;
        } else if (parts.name == "--version") {
            version = true;
        } else if (parts.name == "--keep-file-names") {
            result.import.keepFileNames = true;
        } else if (parts.name == "--generate" || parts.name == "--base-dir") {
            const bool isGenerate = parts.name == "--generate";
            std::optional<std::string>& target = isGenerate ? generate : result.baseDir;
            if (target) {
                fail(parts.name + " is given more than once");
                continue;
            }
            if (!parts.value && i + 1 < args.size() && !IsSwitch(args[i + 1], style))
                parts.value = args[++i];
            if (!parts.value || parts.value->empty()) {
                fail(parts.name + (isGenerate ? " needs a profile file" : " needs a folder"));
                continue;
            }
            target = std::move(parts.value);
            continue;
        } else if (std::optional<std::string>* target =
                       ImportSwitchTarget(result.import, parts.name)) {
            if (*target) {
                fail(parts.name + " is given more than once");
                continue;
            }
            if (!parts.value && i + 1 < args.size() && !IsSwitch(args[i + 1], style))
                parts.value = args[++i];
            if (!parts.value || parts.value->empty()) {
                fail(parts.name + " needs " + ImportSwitchArgument(parts.name));
                continue;
            }
            *target = std::move(parts.value);
            continue;
        } else {
            fail("unknown option '" + arg + "'");
            continue;
        }
        if (parts.value)
            fail(parts.name + " takes no value");
    }

    if (result.error.empty()) {
        if (help || version) {
            result.mode = help ? CommandLine::Mode::Help : CommandLine::Mode::Version;
            return result;
        }
        if (result.import.Given()) {
            if (generate || result.baseDir)
                fail(std::string(generate ? "--generate" : "--base-dir") +
                     " cannot be used with --import or --list-bots");
            else if (!others.empty())
                fail("unexpected argument '" + others.front() + "'");
            else
                fail(CheckImportRequest(result.import));
            result.mode =
                result.import.listBots ? CommandLine::Mode::ListBots : CommandLine::Mode::Import;
        } else if (generate) {
            if (!others.empty())
                fail("unexpected argument '" + others.front() + "' after --generate " + *generate);
            result.profileFile = *generate;
            result.mode = CommandLine::Mode::Generate;
        } else if (result.baseDir) {
            fail("--base-dir can only be used with --generate");
        } else if (!others.empty()) {
            result.profileFile = others.front();
        }
    }
    if (!result.error.empty())
        result.mode = CommandLine::Mode::Error;
    return result;
}

bool IsHeadlessRequest(const std::vector<std::string>& args) {
    // Usage errors are reported on the terminal as well; the desktop program
    // starts only for a plain command line.
    return ParseCommandLine(args).mode != CommandLine::Mode::Desktop;
}

std::string UsageText() {
    return "Usage: vexa [PROFILE.vxb]\n"
           "       vexa --generate PROFILE.vxb [--base-dir DIR]\n"
           "       vexa --import SOURCE [--bot NAME] [--keep-file-names]\n"
           "                    --output PROFILE.vxb\n"
           "       vexa --list-bots SOURCE\n"
           "       vexa --help | --version\n"
           "\n"
           "VEXA, the Arvon Bot Designer: designs bots for the game Arvon and writes\n"
           "their script files.\n"
           "\n"
           "  PROFILE.vxb             open the desktop program on this profile\n"
           "  --generate PROFILE.vxb  write the bot's files from the profile, without a\n"
           "                          window, using the options of vexa.ini in the\n"
           "                          current folder (the defaults when there is none)\n"
           "  --base-dir DIR          write below DIR instead of the BaseDir option, for\n"
           "                          this run only (DIR must be an absolute path)\n"
           "  --import SOURCE         read a bot of the game's files into a profile file;\n"
           "                          SOURCE is a base folder (its loose files and .pk3\n"
           "                          archives), a .pk3, a .bot file or a character file\n"
           "  --bot NAME              the bot to import when SOURCE holds several: its\n"
           "                          name, or else its model, in any case\n"
           "  --keep-file-names       keep the file names the bot's character file uses\n"
           "                          for its weight and chat files (by default they\n"
           "                          get the default names of the bot's main file)\n"
           "  --output PROFILE.vxb    the profile file --import writes (replacing it)\n"
           "  --list-bots SOURCE      list the bots SOURCE holds: name, model, and the\n"
           "                          file and folder or archive they come from\n"
           "  -h, --help              show this help and exit\n"
           "  --version               show the version and exit\n"
           "\n"
           "vexa --generate never changes vexa.ini. Exit status: 0 when every file was\n"
           "written, 1 when the profile file cannot be read, 2 for a usage error, and\n"
           "otherwise the generate result code (11 to 52) with its message on standard\n"
           "error.\n"
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
    case CommandLine::Mode::Generate:
        break;
    }

    BotProfile profile = EmptyProfile();
    if (const int read = ReadProfileImage(profile, commandLine.profileFile); read != 0) {
        err << LoadBotMessage(read) << '\n';
        return 1;
    }
    AppSettings settings;
    ResetSettings(settings);
    ReadSettingsFile(settings, WorkingDirectoryFile(kSettingsFileName));
    if (commandLine.baseDir)
        settings.BaseDir = *commandLine.baseDir;

    const int result = GenerateSource(profile, settings);
    if (result != 0) {
        err << GenerateResultMessage(result) << '\n';
        return result;
    }
    out << GenerateSuccessMessage(settings) << '\n' << GenerateModelMessage(profile) << '\n';
    return 0;
}

} // namespace vexa

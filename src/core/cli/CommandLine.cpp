#include "core/cli/CommandLine.h"

#include "core/cli/PackageCommand.h"
#include "core/cli/SourceCommands.h"
#include "core/generate/GenerateSource.h"
#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"
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
    std::optional<std::string> check;
    bool help = false;
    bool version = false;
    bool switchesEnded = false;
    std::vector<std::string> others;
    std::vector<std::string> unknown;

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
        } else if (parts.name == "--force") {
            result.force = true;
        } else if (parts.name == "--generate" || parts.name == "--check" ||
                   parts.name == "--base-dir" || parts.name == "--pk3") {
            const bool isGenerate = parts.name == "--generate" || parts.name == "--check";
            std::optional<std::string>& target = parts.name == "--generate" ? generate
                                                 : parts.name == "--check"  ? check
                                                 : parts.name == "--pk3"    ? result.packageFile
                                                                            : result.baseDir;
            if (target) {
                fail(parts.name + " is given more than once");
                continue;
            }
            if (!parts.value && i + 1 < args.size() && !IsSwitch(args[i + 1], style))
                parts.value = args[++i];
            if (!parts.value || parts.value->empty()) {
                fail(parts.name + (isGenerate              ? " needs a profile file"
                                   : parts.name == "--pk3" ? " needs a package file"
                                                           : " needs a folder"));
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
            unknown.push_back(arg);
            continue;
        }
        if (parts.value)
            fail(parts.name + " takes no value");
    }

    if (result.error.empty() && !unknown.empty()) {
        if (help || version || generate || check || result.import.Given())
            fail("unknown option '" + unknown.front() + "'");
        else
            result.skippedSwitches = std::move(unknown);
    }
    if (result.error.empty()) {
        if (help || version) {
            result.mode = help ? CommandLine::Mode::Help : CommandLine::Mode::Version;
            return result;
        }
        if (result.import.Given()) {
            if (generate || check || result.baseDir || result.packageFile || result.force)
                fail(std::string(generate         ? "--generate"
                                 : check          ? "--check"
                                 : result.baseDir ? "--base-dir"
                                 : result.force   ? "--force"
                                                  : "--pk3") +
                     " cannot be used with --import or --list-bots");
            else if (!others.empty())
                fail("unexpected argument '" + others.front() + "'");
            else
                fail(CheckImportRequest(result.import));
            result.mode =
                result.import.listBots ? CommandLine::Mode::ListBots : CommandLine::Mode::Import;
        } else if (generate && check) {
            fail("--generate and --check cannot be used together");
        } else if (check) {
            if (!others.empty())
                fail("unexpected argument '" + others.front() + "' after --check " + *check);
            else if (result.force)
                fail("--force can only be used with --generate");
            else if (result.packageFile)
                fail("--pk3 can only be used with --generate");
            result.profileFile = *check;
            result.mode = CommandLine::Mode::Check;
        } else if (generate) {
            if (!others.empty())
                fail("unexpected argument '" + others.front() + "' after --generate " + *generate);
            result.profileFile = *generate;
            result.mode = CommandLine::Mode::Generate;
            if (result.baseDir && result.packageFile)
                fail("--base-dir and --pk3 cannot be used together");
        } else if (result.baseDir) {
            fail("--base-dir can only be used with --generate or --check");
        } else if (result.packageFile) {
            fail("--pk3 can only be used with --generate");
        } else if (result.force) {
            fail("--force can only be used with --generate");
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

std::string SkippedSwitchWarning(const std::string& skippedSwitch) {
    return "vexa: ignoring unknown option '" + skippedSwitch + "'";
}

std::string UsageText() {
    return "Usage: vexa [PROFILE.vxb]\n"
           "       vexa --generate PROFILE.vxb [--base-dir DIR] [--force]\n"
           "       vexa --generate PROFILE.vxb --pk3 PACKAGE.pk3\n"
           "       vexa --check PROFILE.vxb [--base-dir DIR]\n"
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
           "  --check PROFILE.vxb     check that the game can read every chat line\n"
           "                          --generate would write; prints each problem and\n"
           "                          warning on a line of its own\n"
           "  --base-dir DIR          write below DIR instead of the BaseDir option, for\n"
           "                          this run only (a relative DIR is taken from the\n"
           "                          current folder); with --check, the folder whose\n"
           "                          botfiles/rnd.c names the game's random strings\n"
           "  --pk3 PACKAGE.pk3       write the bot's files into one package for the game\n"
           "                          (a .pk3 archive) instead of the base folder\n"
           "  --force                 let --generate replace a character file that\n"
           "                          belongs to another bot\n"
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
           "can be read, 43 when one cannot, 1 and 2 as above.\n"
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
    case CommandLine::Mode::Generate:
        break;
    }

    BotProfile profile = EmptyProfile();
    ProfileExtras extras;
    ExtrasStatus extrasStatus{};
    if (const int read = ReadProfileFile(profile, extras, commandLine.profileFile, extrasStatus);
        read != 0) {
        err << LoadBotMessage(read) << '\n';
        return 1;
    }
    if (const std::string_view note = ExtrasMessage(extrasStatus); !note.empty())
        err << "vexa: warning: " << note << '\n';
    AppSettings settings;
    ResetSettings(settings);
    ReadSettingsFile(settings, WorkingDirectoryFile(kSettingsFileName));
    if (commandLine.packageFile)
        return RunPackageExport(profile, settings, *commandLine.packageFile, out, err, extras);
    if (commandLine.baseDir)
        settings.BaseDir = AbsolutePath(*commandLine.baseDir);

    return RunGenerate(profile, settings, commandLine.force, out, err, extras);
}

} // namespace vexa

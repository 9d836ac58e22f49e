#include "core/archive/PickedSource.h"

#include "core/archive/GameFolderSource.h"
#include "core/util/FixedText.h"
#include "core/util/Paths.h"

#include <filesystem>
#include <system_error>

namespace vexa {
namespace {

namespace fs = std::filesystem;

bool IsFolder(const fs::path& path) {
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

std::string Key(const fs::path& name) {
    return SafeGamePathKey(Utf8FromPath(name));
}

bool HasExtension(const fs::path& path, const char* extension) {
    return Key(path.extension()) == extension;
}

// The nearest folder above `file` named `folderKey` (without regard to
// case), and the file's path below it ("sub/ranger.bot"); empty when none.
struct Ancestor {
    fs::path folder;
    std::string below;
};
Ancestor FindAncestor(const fs::path& file, const std::string& folderKey) {
    std::string below = Utf8FromPath(file.filename());
    for (fs::path folder = file.parent_path(); folder.has_relative_path();
         folder = folder.parent_path()) {
        if (Key(folder.filename()) == folderKey)
            return {folder, below};
        below = Utf8FromPath(folder.filename()) + "/" + below;
        if (folder == folder.parent_path())
            break;
    }
    return {};
}

bool LooksLikeBaseFolder(const fs::path& folder) {
    std::error_code code;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, code),
         end;
         !code && it != end; it.increment(code)) {
        std::error_code ignored;
        const std::string key = Key(it->path().filename());
        if (it->is_directory(ignored) ? (key == "scripts" || key == "botfiles")
                                      : HasExtension(it->path(), ".pk3"))
            return true;
    }
    return false;
}

PickedSource FromFolder(const fs::path& folder) {
    PickedSource picked;
    picked.kind = PickedSource::Kind::Folder;
    if (LooksLikeBaseFolder(folder)) {
        picked.source = std::make_unique<BaseFolderSource>(Utf8FromPath(folder));
        return picked;
    }
    const std::string key = Key(folder.filename());
    const fs::path parent = folder.parent_path();
    if ((key == "scripts" || key == "botfiles") && parent != folder && !parent.empty()) {
        picked.source = std::make_unique<BaseFolderSource>(Utf8FromPath(parent));
        picked.note = Utf8FromPath(folder) + " is the game's " + key + " folder: its base folder " +
                      Utf8FromPath(parent) + " is read.";
        return picked;
    }
    picked.source =
        std::make_unique<BaseFolderSource>(Utf8FromPath(folder), BaseFolderSource::Layout::Loose);
    picked.note = Utf8FromPath(folder) +
                  " holds no scripts or botfiles folder and no .pk3 archive: its files are read "
                  "as a bot laid out in one folder, and a file a bot names is also looked for by "
                  "its name alone in that folder.";
    return picked;
}

// A .bot or character file: its base folder when it sits in the game's
// layout, otherwise its own folder laid out flat.
PickedSource FromFile(const fs::path& file, PickedSource::Kind kind) {
    PickedSource picked;
    picked.kind = kind;
    const bool botInfo = kind == PickedSource::Kind::BotInfo;
    const std::string top = botInfo ? "scripts" : "botfiles";
    const Ancestor ancestor = FindAncestor(file, top);
    if (!ancestor.folder.empty() && !ancestor.folder.parent_path().empty()) {
        picked.source =
            std::make_unique<BaseFolderSource>(Utf8FromPath(ancestor.folder.parent_path()));
        picked.file = top + "/" + ancestor.below;
        return picked;
    }
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    picked.source =
        std::make_unique<BaseFolderSource>(Utf8FromPath(folder), BaseFolderSource::Layout::Loose);
    picked.file = top + "/" + Utf8FromPath(file.filename());
    picked.realPath = Utf8FromPath(file);
    picked.note = Utf8FromPath(file.filename()) + " is not in a " + top + " folder: its folder " +
                  Utf8FromPath(folder) +
                  " is read as the game's base folder, and a file the bot names is also looked "
                  "for by its name alone in that folder.";
    return picked;
}

} // namespace

PickedSource OpenPickedSource(const std::string& path) {
    PickedSource picked;
    if (path.empty()) {
        picked.error = "No file or folder was given to import from.";
        return picked;
    }
    std::error_code code;
    fs::path pickedPath = fs::absolute(PathFromUtf8(path), code).lexically_normal();
    if (code)
        pickedPath = PathFromUtf8(path).lexically_normal();
    const fs::file_status status = fs::status(pickedPath, code);
    if (code || !fs::exists(status)) {
        picked.error = path + " does not exist.";
        return picked;
    }
    if (IsFolder(pickedPath)) {
        // "base/" names the folder "base", not an empty name.
        fs::path folder = pickedPath;
        if (!folder.has_filename() && folder.has_parent_path())
            folder = folder.parent_path();
        return FromFolder(folder);
    }
    if (!fs::is_regular_file(status)) {
        picked.error = path + " is neither a folder nor a file.";
        return picked;
    }
    if (HasExtension(pickedPath, ".pk3") || HasExtension(pickedPath, ".zip")) {
        picked.kind = PickedSource::Kind::Archive;
        std::string error;
        picked.source = ArchiveFileSource::Open(Utf8FromPath(pickedPath), error);
        if (!picked.source)
            picked.error = error + ".";
        return picked;
    }
    if (HasExtension(pickedPath, ".bot") || Key(pickedPath.filename()) == "bots.txt")
        return FromFile(pickedPath, PickedSource::Kind::BotInfo);
    return FromFile(pickedPath, PickedSource::Kind::Character);
}

std::vector<std::string> SourceProblems(const GameFileSource& source) {
    if (const auto* folder = dynamic_cast<const BaseFolderSource*>(&source))
        return folder->Problems();
    if (const auto* archive = dynamic_cast<const ArchiveFileSource*>(&source))
        return archive->Problems();
    return {};
}

PickedBots BotsOfPick(const PickedSource& picked) {
    PickedBots found;
    if (!picked.source)
        return found;
    const GameFileSource& source = *picked.source;
    std::vector<BotEntry> bots = ListBots(source, &found.problems);
    const std::string fileKey = GamePathKey(picked.file);
    switch (picked.kind) {
    case PickedSource::Kind::Folder:
    case PickedSource::Kind::Archive:
        found.bots = std::move(bots);
        break;
    case PickedSource::Kind::BotInfo:
        for (BotEntry& bot : bots)
            if (GamePathKey(bot.infoFile) == fileKey)
                found.bots.push_back(std::move(bot));
        break;
    case PickedSource::Kind::Character:
        for (BotEntry& bot : bots)
            if (GamePathKey("botfiles/" + bot.aifile) == fileKey)
                found.bots.push_back(std::move(bot));
        if (found.bots.empty()) {
            BotEntry alone;
            alone.aifile = picked.file.substr(std::string("botfiles/").size());
            alone.origin = source.Origin(picked.file);
            found.bots.push_back(std::move(alone));
        }
        break;
    }
    return found;
}

ImportResult ImportPicked(const PickedSource& picked, const PickedBots& found, const BotEntry& bot,
                          const ImportOptions& options) {
    ImportResult result;
    if (!picked.source) {
        result.error = picked.error;
        return result;
    }
    result = bot.infoFile.empty() ? ImportCharacterFile(*picked.source, bot.aifile, options)
                                  : ImportBot(*picked.source, bot, options);
    if (!result.ok)
        return result;
    std::vector<ReportEntry> report;
    if (!picked.note.empty())
        report.push_back({"", 0, 0, picked.note});
    for (const std::string& problem : SourceProblems(*picked.source))
        report.push_back({"", 0, 0, problem});
    report.insert(report.end(), found.problems.begin(), found.problems.end());
    report.insert(report.end(), std::make_move_iterator(result.report.begin()),
                  std::make_move_iterator(result.report.end()));
    result.report = std::move(report);
    return result;
}

namespace {

// The bot's info file, or its character file when no info file names it.
std::string BotFile(const BotEntry& bot) {
    return bot.infoFile.empty() ? "botfiles/" + bot.aifile : bot.infoFile;
}

// The bot's file by its real path when the pick lies outside the game's
// folders, where every file of the bot sits in the picked file's folder;
// empty otherwise.
std::string RealPathOf(const BotEntry& bot, const PickedSource* picked) {
    if (picked == nullptr || picked->realPath.empty())
        return {};
    return Utf8FromPath(PathFromUtf8(picked->realPath).parent_path() /
                        PathFromUtf8(BotFile(bot)).filename());
}

} // namespace

std::string BotFrom(const BotEntry& bot, const PickedSource* picked) {
    const std::string realPath = RealPathOf(bot, picked);
    return !realPath.empty() ? realPath : BotFile(bot) + " in " + bot.origin;
}

std::string BotListLine(const BotEntry& bot, const PickedSource* picked) {
    if (bot.infoFile.empty()) {
        const std::string realPath = RealPathOf(bot, picked);
        return !realPath.empty()
                   ? realPath + " (a character file no .bot file names)"
                   : BotFile(bot) + " (a character file no .bot file names), in " + bot.origin;
    }
    // The names are Latin-1 as the files hold them; the line is UTF-8.
    std::string line = bot.name.empty() ? "(no name)" : Utf8FromLatin1(bot.name);
    if (!bot.model.empty())
        line += ", model " + Utf8FromLatin1(bot.model);
    return line + ", " + BotFrom(bot, picked);
}

} // namespace vexa

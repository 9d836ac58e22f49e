#include "core/generate/SourcePreview.h"

#include "core/game/LocalFileSources.h"
#include "core/game/RandomStrings.h"
#include "core/generate/GenerateSource.h"
#include "core/generate/Names.h"
#include "core/generate/OutputFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace vexa {

namespace {

// Disk text compared as the writers make it: with "\n" line ends.
std::string WithNewlines(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

} // namespace

bool SourcePreview::HasChatErrors() const {
    return std::any_of(chat.begin(), chat.end(),
                       [](const ChatLineFinding& finding) { return finding.error; });
}

SourcePreview PreviewSource(const BotProfile& profile, const AppSettings& settings, PathStyle style,
                            const GameFileSource& game, const ProfileExtras& extras) {
    SourcePreview preview;
    AppSettings run = settings;
    MemoryFiles memory;
    GenerateGuards guards;
    guards.checkChatLines = false;
    const int result = GenerateSource(profile, run, style, memory, guards, extras);
    if (result >= 13 && result <= kNameOutsideBaseFolder) {
        preview.result = result;
        preview.message = GenerateFailureMessage(result, profile, settings, &game, style, extras);
        return preview;
    }

    const std::optional<OtherBotFile> other =
        OtherBotsCharacterFile(profile, run, style, game, extras);
    for (const MemoryFiles::File& file : memory.files()) {
        SourcePreview::File shown{file.path, file.text, SourcePreview::FileState::New, {}, {}};
        std::string disk;
        if (ReadLooseFile(PathFromUtf8(file.path), disk) == GameFileSource::ReadResult::Read) {
            shown.state = WithNewlines(std::move(disk)) == file.text
                              ? SourcePreview::FileState::Unchanged
                              : SourcePreview::FileState::Changed;
        } else if (std::error_code error; std::filesystem::exists(PathFromUtf8(file.path), error)) {
            shown.state = SourcePreview::FileState::Changed; // too large or unreadable
        }
        if (other && other->path == file.path) {
            shown.otherBot = other->bot;
            shown.otherBotArchive = other->archive;
        }
        preview.files.push_back(std::move(shown));
    }

    const std::optional<RandomStringNames> names = ReadRandomStringNames(game);
    preview.randomStringsKnown = names.has_value();
    preview.chat = CheckChatLinesToWrite(profile, extras, run.TabSkill, names ? &*names : nullptr);
    preview.duplicates = DuplicateBotWarnings(profile, run, style, game, extras);
    return preview;
}

std::string_view FileStateText(SourcePreview::FileState state) {
    switch (state) {
    case SourcePreview::FileState::New:
        return "new";
    case SourcePreview::FileState::Unchanged:
        return "unchanged";
    case SourcePreview::FileState::Changed:
        break;
    }
    return "would change";
}

} // namespace vexa

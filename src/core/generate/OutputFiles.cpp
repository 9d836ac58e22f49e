#include "core/generate/OutputFiles.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace vexa {

bool DiskFiles::CreateFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::create_directory(PathFromUtf8(path), error) && !error;
}

void OutputFiles::NoteCommitFailure(const WriteFailure& failure,
                                    const std::vector<std::string>& replaced) {
    NoteFailure(failure);
    if (replaced.empty())
        return;
    failureReason_ += "\nThese files were replaced before the failure:";
    for (const std::string& path : replaced)
        failureReason_ += "\n" + path;
}

void OutputFiles::NoteResultCode(const std::string& path, int openCode) {
    for (const auto& [written, code] : resultCodes_)
        if (written == path)
            return;
    resultCodes_.emplace_back(path, openCode);
}

int OutputFiles::ResultCodeOf(const std::string& path) const {
    for (const auto& [written, code] : resultCodes_)
        if (written == path)
            return code;
    return 0;
}

WriteStatus DiskFiles::WriteTextFile(const std::string& path, std::string_view text) {
    return WriteText(path, text).status;
}

WriteFailure DiskFiles::WriteText(const std::string& path, std::string_view text) {
    return replacements_.Stage(path, text, LineEnds::Platform);
}

WriteFailure DiskFiles::CommitFiles() {
    WriteFailure failure = replacements_.Commit();
    if (failure.status != WriteStatus::Written)
        NoteCommitFailure(failure, replacements_.replaced());
    return failure;
}

bool MemoryFiles::CreateFolder(const std::string& path) {
    folders_.push_back(path);
    return true;
}

WriteStatus MemoryFiles::WriteTextFile(const std::string& path, std::string_view text) {
    for (File& file : files_)
        if (file.path == path) {
            file.text.assign(text);
            return WriteStatus::Written;
        }
    files_.push_back({path, std::string(text)});
    return WriteStatus::Written;
}

void MakeFolderChain(const std::string& path, PathStyle style, OutputFiles& files) {
    constexpr int kMaxClimb = 14;
    if (files.CreateFolder(path))
        return;

    const char separator = PathSeparator(style);
    std::vector<std::string> cut; // the longer paths still to create, innermost first
    std::string current = path;
    for (int failures = 0;;) {
        if (current.size() < 2)
            return;
        const std::size_t last = current.rfind(separator, current.size() - 2);
        if (last == std::string::npos)
            return;
        cut.push_back(current);
        current.resize(last + 1);
        if (files.CreateFolder(current))
            break;
        if (++failures == kMaxClimb)
            return;
    }
    for (auto longer = cut.rbegin(); longer != cut.rend(); ++longer)
        if (!files.CreateFolder(*longer))
            return;
}

} // namespace vexa

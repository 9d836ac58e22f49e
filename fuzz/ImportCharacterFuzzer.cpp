// The character file reader on arbitrary bytes, and the import of a bot
// whose character file they are.
//
// Properties: reading ends within its limits; every entry it keeps names a
// known characteristic or none; an import either fails with a message or
// gives a profile whose values all lie in the editors' ranges, whose texts
// fit their fields, and which Create Arvon source writes.
#include "FuzzSupport.h"
#include "core/game/LocalFileSources.h"
#include "core/generate/GenerateSource.h"
#include "core/import/BotImport.h"
#include "core/import/ScriptReaders.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace vexa::fuzz {
namespace {

void CheckProfile(const BotProfile& profile) {
    for (const SkillProfile& block : profile.skill) {
        for (const CharacteristicFormat& format : kCharacterFileLines)
            if (format.field)
                Check(block.*format.field >= 0 && block.*format.field <= format.max,
                      "every characteristic lies in its range");
        for (const WeightDefine& define : kWeaponWeightDefines)
            Check(block.*define.field >= 0 && block.*define.field <= kMaxWeight,
                  "every weapon weight lies in its range");
        for (const WeightDefine& define : kItemWeightDefines)
            Check(block.*define.field >= 0 && block.*define.field <= kMaxWeight,
                  "every item weight lies in its range");
        Check(block.chat_name[19] == '\0' && block.chat_file[19] == '\0',
              "texts keep their terminator");
    }
    Check(profile.name[19] == '\0' && profile.model_name[9] == '\0' &&
              profile.main_file[19] == '\0',
          "texts keep their terminator");
}

void Run(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const CharacterFile file = ReadCharacterFile(text);
    Check(file.blocks.size() <= kMaxSkillBlocks, "at most kMaxSkillBlocks blocks");
    for (const SkillBlock& block : file.blocks) {
        Check(block.entries.size() <= kMaxEntriesPerBlock, "at most kMaxEntriesPerBlock values");
        for (const CharacterEntry& entry : block.entries)
            Check(entry.indexIsName ? !entry.index.empty() : entry.indexNumber >= -1,
                  "an entry's index is a name or a number");
    }

    MemoryFileSource source;
    source.Add("botfiles/bots/fuzz_c.c", text);
    // The same bytes serve as every other file, so that a character file
    // naming itself is read as weights and chat too.
    source.Add("botfiles/bots/fuzz_w.c", text);
    source.Add("botfiles/bots/fuzz_t.c", text);
    for (const bool keep : {false, true}) {
        const ImportResult result = ImportCharacterFile(source, "bots/fuzz_c.c", {keep});
        Check(result.ok != !result.error.empty(), "a failure has a message, a success none");
        if (!result.ok)
            continue;
        CheckProfile(result.profile);
        if (result.profile.name[0] == '\0')
            continue;
        MemoryFiles files;
        AppSettings settings;
        settings.BaseDir = "/base/";
        settings.TabSkill = keep;
        Check(GenerateSource(result.profile, settings, PathStyle::Posix, files) == 0,
              "an imported bot can be written");
    }
}

} // namespace
} // namespace vexa::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vexa::fuzz::Run(data, size);
    return 0;
}

#include "core/generate/Writers.h"

#include "core/generate/FormatTables.h"
#include "core/generate/Names.h"
#include "core/profile/ChatCategory.h"
#include "core/util/FixedText.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace vexa {

namespace {

// The note at the top of the weapon weights and chat files.
constexpr std::string_view kWeaponNote =
    "// NOTE: As you can tell, I removed the Mr. Tobbin\n"
    "// header that just said visor_w.c for all of these.\n"
    "// Anyone who wants it back can request it, I might\n"
    "// be persuaded to return it here.\n"
    "// This note will be removed from a future build sometime\n"
    "// or other.  Opinions for and against the traditional\n"
    "// Mr. Tobbin headers are desired.\n"
    "// I did include the comment line at the bottom, just for the hell of it.\n\n\n";

constexpr std::string_view kItemNote =
    "// NOTE: As you can tell, I removed the Mr. Tobbin\n"
    "// header that said visor_i.c and Mr. Tobbin and\n"
    "// some other stuff for all of these.\n"
    "// Anyone who wants it back can request it, I might\n"
    "// be persuaded to return it here.\n"
    "// This note will be removed from a future build sometime\n"
    "// or other.  Opinions for and against the traditional\n"
    "// Mr. Tobbin headers are desired.\n"
    "// I did include the comment line at the bottom, just for the hell of it.\n\n\n";

constexpr std::string_view kChatSeparator =
    "\n\t//======================================================\n"
    "\t//======================================================\n";

// Text between quotation marks as the game's script reader expects it: a
// backslash and a quotation mark are escaped with a backslash.
std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string LowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string ZeroPadded(std::int32_t value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return digits;
}

// A characteristic value held in units of 10^-decimals, as a decimal number
// with that many decimals (250 with 3 decimals is 0.250). The game cannot
// read a minus sign here and treats these values as at least 0, so a
// negative value is written as 0.
std::string Characteristic(std::int32_t stored, int decimals) {
    const std::int32_t value = std::max<std::int32_t>(stored, 0);
    switch (decimals) {
    case 3:
        return std::to_string(value / 1000) + "." + ZeroPadded(value % 1000, 3);
    case 2:
        return std::to_string(value / 100) + "." + ZeroPadded(value % 100, 2);
    default:
        return std::to_string(value);
    }
}

void AppendDefine(std::string& out, std::string_view name, std::string_view value) {
    out += "#define ";
    out += name;
    out.append(static_cast<std::size_t>(DefineTabs(name)), '\t');
    out += value;
    out += '\n';
}

// The defines of a weight file: the designer's, each as kept while its
// value is the one it was kept with, then the kept defines it has no
// editor for.
template <std::size_t N>
void AppendDefines(std::string& out, const std::array<WeightDefine, N>& defines,
                   const SkillProfile& block, const std::vector<KeptLine>& kept) {
    for (const WeightDefine& define : defines) {
        const std::string own = std::to_string(block.*define.field);
        const KeptLine* line = KeptFor(kept, define.name, own);
        out += define.before;
        AppendDefine(out, define.name, line ? line->value : own);
    }
    for (const KeptLine& line : kept)
        if (line.basis.empty())
            AppendDefine(out, line.key, line.value);
}

// The #include lines above or below a weights file's defines: those kept
// (`part` of `kept`), else the designer's own.
void AppendIncludes(std::string& out, const KeptIncludes& kept,
                    const std::vector<std::string>& part, const std::string& own) {
    if (kept.empty()) {
        out += "#include " + own + "\n";
    } else {
        for (const std::string& include : part)
            out += "#include " + include + "\n";
    }
    out += "\n\n";
}

std::string TextOf(TextValue text, const BotProfile& profile, int pass, PathStyle style,
                   const ProfileExtras& extras) {
    switch (text) {
    case TextValue::Name:
        return WrittenName(profile, extras);
    case TextValue::Gender:
        return LowerCase(FieldText(profile.gender));
    case TextValue::WeaponWeights:
        return GameReference(PassFileName(profile, pass, PassFile::WeaponWeights, extras));
    case TextValue::ChatFile:
        return GameReference(PassFileName(profile, pass, PassFile::Chat, extras));
    case TextValue::ChatName:
        return ChatName(profile, pass, style);
    case TextValue::ItemWeights:
        return GameReference(PassFileName(profile, pass, PassFile::ItemWeights, extras));
    case TextValue::None:
        break;
    }
    return {};
}

// One line of a character file's block.
void AppendCharacteristic(std::string& out, std::string_view name, std::string_view value) {
    out += '\t';
    out += name;
    out.append(static_cast<std::size_t>(CharacteristicTabs(name)), '\t');
    out += value;
    out += '\n';
}

void AppendCharacterBlock(std::string& out, const BotProfile& profile, int index, bool tabSkill,
                          PathStyle style, const ProfileExtras& extras) {
    const SkillProfile& s = profile.skill[index];
    const int pass = PassForCharacterBlock(index, tabSkill);
    const std::vector<KeptLine>& kept =
        extras.levels[static_cast<std::size_t>(index)].characteristics;

    out += "skill " + std::to_string(LevelOfBlock(index)) + "\n";
    out += "{\n";
    for (const CharacteristicFormat& line : kCharacterFileLines) {
        if (line.blankLineBefore)
            out += '\n';
        std::string own;
        switch (line.unit) {
        case ValueUnit::Text:
            own = TextOf(line.text, profile, pass, style, extras);
            break;
        case ValueUnit::Thousandths:
            own = Characteristic(s.*line.field, 3);
            break;
        case ValueUnit::Hundredths:
            own = Characteristic(s.*line.field, 2);
            break;
        case ValueUnit::Whole:
            own = Characteristic(s.*line.field, 0);
            break;
        }
        const KeptLine* kept_line = KeptFor(kept, line.name, own);
        const std::string& value = kept_line ? kept_line->value : own;
        AppendCharacteristic(out, line.name, line.unit == ValueUnit::Text ? Quoted(value) : value);
    }
    for (const KeptLine& line : kept)
        if (line.basis.empty())
            AppendCharacteristic(out, line.key, line.isText ? Quoted(line.value) : line.value);
    out += "}\n\n";
}

// The body of a chat file's type block.
void AppendChatLines(std::string& out, const std::vector<std::string>& lines) {
    out += "\t{\n";
    for (const std::string& line : lines) {
        out += "\t\t";
        out += line;
        out += ";\n";
    }
    out += "\t} //end type\n";
}

// Maps a write status onto a writer's result codes `openCode` and
// `openCode + 1`.
int ResultOf(WriteStatus status, int openCode) {
    switch (status) {
    case WriteStatus::Written:
        return 0;
    case WriteStatus::OpenFailed:
    case WriteStatus::InUse:
    case WriteStatus::ReservedName:
        return openCode;
    case WriteStatus::WriteFailed:
        break;
    }
    return openCode + 1;
}

// Writes one generated file through `files` and returns the writer's
// result: 0, `openCode` or `openCode + 1`. In the Windows path style a path
// holding a reserved device name is refused before anything is written. A
// failure is noted in `files` for the user's message.
int WriteOutput(OutputFiles& files, PathStyle style, const std::string& path, std::string_view text,
                int openCode) {
    const WriteFailure failure = ReservedDeviceNameIn(path, style).empty()
                                     ? files.WriteText(path, text)
                                     : WriteFailure{WriteStatus::ReservedName, path, {}, {}};
    if (failure.status != WriteStatus::Written)
        files.NoteFailure(failure);
    else
        files.NoteResultCode(path, openCode);
    return ResultOf(failure.status, openCode);
}

} // namespace

// A value of the bot info file: see Writers.h.
std::string BotInfoValue(std::string_view value) {
    std::string kept;
    for (const char c : value)
        if (c != '"' && c != '\\' && c != ';')
            kept += c;
    const bool beyondAscii = std::any_of(
        kept.begin(), kept.end(), [](char c) { return static_cast<unsigned char>(c) > 127; });
    if (!beyondAscii && kept.find_first_of(" \t") == std::string::npos &&
        kept.find("//") == std::string::npos && kept.find("/*") == std::string::npos)
        return kept;
    return "\"" + kept + "\"";
}

std::string WrittenName(const BotProfile& profile, const ProfileExtras& extras) {
    return KeptText(FieldText(profile.name), extras.name, sizeof profile.name);
}

std::string WrittenChatName(const BotProfile& profile, int pass, PathStyle style,
                            const ProfileExtras& extras) {
    const std::string own = ChatName(profile, pass, style);
    const KeptLine* kept =
        KeptFor(extras.levels[static_cast<std::size_t>(BlockOfPass(pass))].characteristics,
                "CHARACTERISTIC_CHAT_NAME", own);
    return kept ? kept->value : own;
}

std::string CharacterFileText(const BotProfile& profile, bool tabSkill, PathStyle style,
                              const ProfileExtras& extras) {
    std::string out(kGeneratedBy);
    out += "#include \"chars.h\"\n\n\n";
    for (int index = 0; index < 3; ++index)
        AppendCharacterBlock(out, profile, index, tabSkill, style, extras);
    return out;
}

std::string WeaponWeightsFileText(const SkillProfile& block, const LevelExtras& extras) {
    std::string out(kGeneratedBy);
    out += kWeaponNote;
    AppendIncludes(out, extras.weaponIncludes, extras.weaponIncludes.before, {"\"inv.h\""});
    AppendDefines(out, kWeaponWeightDefines, block, extras.weaponDefines);
    out += "\n//\n";
    AppendIncludes(out, extras.weaponIncludes, extras.weaponIncludes.after,
                   {Quoted(kWeaponWeightsScript)});
    return out;
}

std::string ItemWeightsFileText(const SkillProfile& block, const LevelExtras& extras) {
    std::string out(kGeneratedBy);
    out += kItemNote;
    AppendIncludes(out, extras.itemIncludes, extras.itemIncludes.before, {"\"inv.h\""});
    AppendDefines(out, kItemWeightDefines, block, extras.itemDefines);
    out += "\n//\n";
    AppendIncludes(out, extras.itemIncludes, extras.itemIncludes.after,
                   {Quoted(kItemWeightsScript)});
    return out;
}

std::string ChatFileText(const SkillProfile& block, const std::string& chatName,
                         const LevelExtras& extras) {
    std::string out(kGeneratedBy);
    out += kWeaponNote;
    out += "chat " + Quoted(chatName) + "\n";
    out += "{\n";
    out += "\t#include \"teamplay.h\"\n\n";
    for (int c = 0; c < kChatCategoryCount; ++c) {
        const ChatCategory& category = kChatCategories[c];
        if (category.opensGroup)
            out += kChatSeparator;
        out += "\n\ttype \"";
        out += category.typeName;
        out += "\" //";
        out += category.description;
        out += "\n";
        AppendChatLines(out, ChatLinesOf(block, extras, c));
    }
    const std::vector<const KeptChat*> others = ExtraSituations(extras);
    if (!others.empty())
        out += kChatSeparator;
    for (const KeptChat* situation : others) {
        out += "\n\ttype " + Quoted(situation->situation) + "\n";
        AppendChatLines(out, situation->lines);
    }
    out += "} //end " + chatName + " chat\n";
    return out;
}

std::string BotInfoFileText(const BotProfile& profile, PathStyle style,
                            const ProfileExtras& extras) {
    std::string out(kGeneratedBy);
    out += "{\n";
    out += "name\t\t" + BotInfoValue(WrittenName(profile, extras)) + "\n";
    // The model/skin form the game reads: a backslash is a "/".
    out += "model\t\t" + BotInfoValue(WrittenModel(profile, style, extras)) + "\n";
    out += "aifile\t\t" +
           BotInfoValue("bots/" + GameReference(WithCExtension(MainFileName(profile, extras)))) +
           "\n";
    for (const auto& [key, value] : extras.infoKeys)
        out += key + "\t\t" + BotInfoValue(value) + "\n";
    out += "}\n";
    return out;
}

int WriteCharacterFile(const BotProfile& profile, const AppSettings& settings, PathStyle style,
                       OutputFiles& files, const ProfileExtras& extras) {
    return WriteOutput(files, style, CharacterFilePath(profile, settings, style, extras),
                       CharacterFileText(profile, settings.TabSkill, style, extras), 11);
}

int WriteWeaponWeightsFile(const BotProfile& profile, const AppSettings& settings, int pass,
                           PathStyle style, OutputFiles& files, const ProfileExtras& extras) {
    const int block = BlockOfPass(pass);
    return WriteOutput(
        files, style, PassFilePath(profile, settings, pass, PassFile::WeaponWeights, style, extras),
        WeaponWeightsFileText(profile.skill[block], extras.levels[block]), 21);
}

int WriteItemWeightsFile(const BotProfile& profile, const AppSettings& settings, int pass,
                         PathStyle style, OutputFiles& files, const ProfileExtras& extras) {
    const int block = BlockOfPass(pass);
    return WriteOutput(files, style,
                       PassFilePath(profile, settings, pass, PassFile::ItemWeights, style, extras),
                       ItemWeightsFileText(profile.skill[block], extras.levels[block]), 31);
}

int WriteChatFile(const BotProfile& profile, const AppSettings& settings, int pass, PathStyle style,
                  OutputFiles& files, const ProfileExtras& extras) {
    const int block = BlockOfPass(pass);
    return WriteOutput(
        files, style, PassFilePath(profile, settings, pass, PassFile::Chat, style, extras),
        ChatFileText(profile.skill[block], WrittenChatName(profile, pass, style, extras),
                     extras.levels[block]),
        41);
}

int WriteBotInfoFile(const BotProfile& profile, const AppSettings& settings, PathStyle style,
                     OutputFiles& files, const ProfileExtras& extras) {
    if (settings.BuildFold)
        MakeFolderChain(BotInfoFolder(settings, style), style, files);
    return WriteOutput(files, style, BotInfoFilePath(profile, settings, style, extras),
                       BotInfoFileText(profile, style, extras), 51);
}

} // namespace vexa

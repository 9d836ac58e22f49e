#include "core/generate/Writers.h"

#include "core/generate/ChatCategory.h"
#include "core/generate/FormatTables.h"
#include "core/generate/Names.h"
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

void AppendDefine(std::string& out, const WeightDefine& define, std::int32_t value) {
    out += define.before;
    out += "#define ";
    out += define.name;
    out.append(static_cast<std::size_t>(DefineTabs(define.name)), '\t');
    out += std::to_string(value);
    out += '\n';
}

std::string TextOf(TextValue text, const BotProfile& profile, int pass, PathStyle style) {
    switch (text) {
    case TextValue::Name:
        return FieldText(profile.name);
    case TextValue::Gender:
        return LowerCase(FieldText(profile.gender));
    case TextValue::WeaponWeights:
        return GameReference(PassFileName(profile, pass, PassFile::WeaponWeights));
    case TextValue::ChatFile:
        return GameReference(PassFileName(profile, pass, PassFile::Chat));
    case TextValue::ChatName:
        return ChatName(profile, pass, style);
    case TextValue::ItemWeights:
        return GameReference(PassFileName(profile, pass, PassFile::ItemWeights));
    case TextValue::None:
        break;
    }
    return {};
}

void AppendCharacterBlock(std::string& out, const BotProfile& profile, int index, bool tabSkill,
                          PathStyle style) {
    const SkillProfile& s = profile.skill[index];
    const int pass = PassForCharacterBlock(index, tabSkill);

    out += "skill " + std::to_string(LevelOfBlock(index)) + "\n";
    out += "{\n";
    for (const CharacteristicFormat& line : kCharacterFileLines) {
        if (line.blankLineBefore)
            out += '\n';
        out += '\t';
        out += line.name;
        out.append(static_cast<std::size_t>(CharacteristicTabs(line.name)), '\t');
        switch (line.unit) {
        case ValueUnit::Text:
            out += Quoted(TextOf(line.text, profile, pass, style));
            break;
        case ValueUnit::Thousandths:
            out += Characteristic(s.*line.field, 3);
            break;
        case ValueUnit::Hundredths:
            out += Characteristic(s.*line.field, 2);
            break;
        case ValueUnit::Whole:
            out += Characteristic(s.*line.field, 0);
            break;
        }
        out += '\n';
    }
    out += "}\n\n";
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
                                     : WriteFailure{WriteStatus::ReservedName, path, {}};
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

std::string CharacterFileText(const BotProfile& profile, bool tabSkill, PathStyle style) {
    std::string out(kGeneratedBy);
    out += "#include \"chars.h\"\n\n\n";
    for (int index = 0; index < 3; ++index)
        AppendCharacterBlock(out, profile, index, tabSkill, style);
    return out;
}

std::string WeaponWeightsFileText(const SkillProfile& block) {
    std::string out(kGeneratedBy);
    out += kWeaponNote;
    out += "#include \"inv.h\"\n\n\n";
    for (const WeightDefine& define : kWeaponWeightDefines)
        AppendDefine(out, define, block.*define.field);
    out += "\n//\n";
    out += "#include \"";
    out += kWeaponWeightsScript;
    out += "\"\n\n\n";
    return out;
}

std::string ItemWeightsFileText(const SkillProfile& block) {
    std::string out(kGeneratedBy);
    out += kItemNote;
    out += "#include \"inv.h\"\n\n\n";
    for (const WeightDefine& define : kItemWeightDefines)
        AppendDefine(out, define, block.*define.field);
    out += "\n//\n";
    out += "#include \"";
    out += kItemWeightsScript;
    out += "\"\n\n\n";
    return out;
}

std::string ChatFileText(const SkillProfile& block, const std::string& chatName) {
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
        out += "\n\t{\n";
        for (const auto& line : block.chat_lines[c]) {
            if (FieldIsEmpty(line))
                continue;
            out += "\t\t";
            out += FieldText(line);
            out += ";\n";
        }
        out += "\t} //end type\n";
    }
    out += "} //end " + chatName + " chat\n";
    return out;
}

std::string BotInfoFileText(const BotProfile& profile, PathStyle style) {
    std::string out(kGeneratedBy);
    out += "{\n";
    out += "name\t\t" + BotInfoValue(FieldText(profile.name)) + "\n";
    // The model/skin form the game reads: a backslash is a "/".
    out += "model\t\t" + BotInfoValue(GameReference(BotModel(profile, style))) + "\n";
    out += "aifile\t\t" +
           BotInfoValue("bots/" + GameReference(WithCExtension(FieldText(profile.main_file)))) +
           "\n";
    out += "}\n";
    return out;
}

int WriteCharacterFile(const BotProfile& profile, const AppSettings& settings, PathStyle style,
                       OutputFiles& files) {
    return WriteOutput(files, style, CharacterFilePath(profile, settings, style),
                       CharacterFileText(profile, settings.TabSkill, style), 11);
}

int WriteWeaponWeightsFile(const BotProfile& profile, const AppSettings& settings, int pass,
                           PathStyle style, OutputFiles& files) {
    return WriteOutput(files, style,
                       PassFilePath(profile, settings, pass, PassFile::WeaponWeights, style),
                       WeaponWeightsFileText(profile.skill[BlockOfPass(pass)]), 21);
}

int WriteItemWeightsFile(const BotProfile& profile, const AppSettings& settings, int pass,
                         PathStyle style, OutputFiles& files) {
    return WriteOutput(files, style,
                       PassFilePath(profile, settings, pass, PassFile::ItemWeights, style),
                       ItemWeightsFileText(profile.skill[BlockOfPass(pass)]), 31);
}

int WriteChatFile(const BotProfile& profile, const AppSettings& settings, int pass, PathStyle style,
                  OutputFiles& files) {
    return WriteOutput(
        files, style, PassFilePath(profile, settings, pass, PassFile::Chat, style),
        ChatFileText(profile.skill[BlockOfPass(pass)], ChatName(profile, pass, style)), 41);
}

int WriteBotInfoFile(const BotProfile& profile, const AppSettings& settings, PathStyle style,
                     OutputFiles& files) {
    if (settings.BuildFold)
        MakeFolderChain(BotInfoFolder(settings, style), style, files);
    return WriteOutput(files, style, BotInfoFilePath(profile, settings, style),
                       BotInfoFileText(profile, style), 51);
}

} // namespace vexa

#include "core/profile/ProfileExtras.h"

#include "core/profile/ChatCategory.h"
#include "core/util/FileIO.h"
#include "core/util/FixedText.h"
#include "core/util/RegularFile.h"

#include <algorithm>

namespace vexa {

namespace {

constexpr std::size_t kChatLineText = kChatLineWidth - 1;

// ---- Block layout -------------------------------------------------------------
// "VXEX", version (u16), reserved (u16, 0), payload length (u32), CRC-32 of
// the record image it was written with (u32), CRC-32 of the payload (u32),
// then the payload. Numbers are little-endian; a text is its length (u32)
// and its bytes. Version 2 adds, after everything of version 1, the whole
// main file name and, per level, the weights files' includes and the whole
// file names.
constexpr std::string_view kMagic = "VXEX";
constexpr std::uint16_t kVersion = 2;
constexpr std::size_t kHeaderSize = 20;

// CRC-32 (the polynomial of zip and PNG), eight bytes a step ("slicing by
// 8"): table k gives the remainder of a byte followed by k zero bytes. The
// largest block is read and written in well under a millisecond this way.
constexpr std::array<std::array<std::uint32_t, 256>, 8> kCrcTables = [] {
    std::array<std::array<std::uint32_t, 256>, 8> tables{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t crc = n;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        tables[0][n] = crc;
    }
    for (std::size_t k = 1; k < 8; ++k)
        for (std::size_t n = 0; n < 256; ++n)
            tables[k][n] = (tables[k - 1][n] >> 8) ^ tables[0][tables[k - 1][n] & 0xFFu];
    return tables;
}();

std::uint32_t Crc32(std::string_view bytes) {
    const auto& t = kCrcTables;
    const auto byte = [&bytes](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at]));
    };
    std::uint32_t crc = 0xFFFFFFFFu;
    std::size_t at = 0;
    for (; bytes.size() - at >= 8; at += 8) {
        const std::uint32_t low =
            crc ^ (byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16 | byte(at + 3) << 24);
        crc = t[7][low & 0xFFu] ^ t[6][(low >> 8) & 0xFFu] ^ t[5][(low >> 16) & 0xFFu] ^
              t[4][low >> 24] ^ t[3][byte(at + 4)] ^ t[2][byte(at + 5)] ^ t[1][byte(at + 6)] ^
              t[0][byte(at + 7)];
    }
    for (; at < bytes.size(); ++at)
        crc = (crc >> 8) ^ t[0][(crc ^ byte(at)) & 0xFFu];
    return ~crc;
}

void PutNumber(std::string& out, std::uint32_t value, int bytes = 4) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutText(std::string& out, std::string_view text) {
    PutNumber(out, static_cast<std::uint32_t>(text.size()));
    out.append(text);
}

void PutTexts(std::string& out, const std::vector<std::string>& texts) {
    PutNumber(out, static_cast<std::uint32_t>(texts.size()));
    for (const std::string& text : texts)
        PutText(out, text);
}

void PutLines(std::string& out, const std::vector<KeptLine>& lines) {
    PutNumber(out, static_cast<std::uint32_t>(lines.size()));
    for (const KeptLine& line : lines) {
        PutText(out, line.key);
        PutText(out, line.value);
        PutText(out, line.basis);
        out += line.isText ? '\1' : '\0';
    }
}

bool IsNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Which texts a block may hold: nothing may reach a bot file that would
// end its line, its quotation or its block.
enum class TextKind { Name, Number, Free, Line, Include };

bool Acceptable(std::string_view text, TextKind kind) {
    if (text.find('\0') != std::string_view::npos)
        return false;
    switch (kind) {
    case TextKind::Name:
        return !text.empty() && std::all_of(text.begin(), text.end(), IsNameCharacter);
    case TextKind::Number:
        return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
            return IsNameCharacter(c) || c == '.' || c == '-' || c == '+';
        });
    case TextKind::Free:
        return text.find_first_of("\n\r") == std::string_view::npos;
    case TextKind::Line:
        return text.size() <= kMaxChatMessage &&
               text.find_first_of("\n\r") == std::string_view::npos;
    case TextKind::Include: {
        if (text.size() < 3 || text.find_first_of("\n\r") != std::string_view::npos)
            return false;
        const char close = text.front() == '"' ? '"' : text.front() == '<' ? '>' : '\0';
        return close != '\0' && text.back() == close &&
               text.substr(1, text.size() - 2).find(close) == std::string_view::npos;
    }
    }
    return false;
}

// Reads the payload; any fault makes `ok` false and every later read empty.
class PayloadReader {
public:
    explicit PayloadReader(std::string_view bytes) : bytes_(bytes) {}

    bool good() const { return ok_; }
    bool finished() const { return ok_ && at_ == bytes_.size(); }

    std::uint32_t Number() {
        if (!ok_ || bytes_.size() - at_ < 4)
            return Fail(), 0;
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at_ + i]))
                     << (8 * i);
        at_ += 4;
        return value;
    }

    std::string Text(TextKind kind, bool mayBeEmpty = true) {
        const std::uint32_t size = Number();
        if (!ok_ || size > kMaxKeptText || bytes_.size() - at_ < size)
            return Fail(), std::string();
        std::string text(bytes_.substr(at_, size));
        at_ += size;
        if ((!text.empty() || !mayBeEmpty) && !Acceptable(text, kind))
            Fail();
        return text;
    }

    // A count of items, each at least `least` bytes long.
    std::uint32_t Count(std::size_t least) {
        const std::uint32_t count = Number();
        if (ok_ && count > (bytes_.size() - at_) / least)
            Fail();
        return ok_ ? count : 0;
    }

    bool Flag() {
        if (!ok_ || at_ >= bytes_.size() || static_cast<unsigned char>(bytes_[at_]) > 1)
            return Fail(), false;
        return bytes_[at_++] == '\1';
    }

    std::vector<std::string> Texts(TextKind kind) {
        std::vector<std::string> texts;
        for (std::uint32_t n = Count(4); n > 0 && ok_; --n)
            texts.push_back(Text(kind, false));
        return texts;
    }

    std::vector<KeptLine> Lines(TextKind valueKind) {
        std::vector<KeptLine> lines;
        for (std::uint32_t n = Count(13); n > 0 && ok_; --n) {
            KeptLine line;
            line.key = Text(TextKind::Number, false);
            line.value = Text(TextKind::Free);
            line.basis = Text(TextKind::Free);
            line.isText = Flag();
            if (!line.isText && !Acceptable(line.value, valueKind))
                Fail();
            lines.push_back(std::move(line));
        }
        return lines;
    }

private:
    void Fail() { ok_ = false; }

    std::string_view bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

// Whether `extras` keeps anything that version 1 of the block cannot hold.
bool UsesVersion2(const ProfileExtras& extras) {
    if (!extras.mainFile.empty())
        return true;
    return std::any_of(extras.levels.begin(), extras.levels.end(), [](const LevelExtras& level) {
        return !level.weaponIncludes.empty() || !level.itemIncludes.empty() ||
               !level.weaponWeightsFile.empty() || !level.itemWeightsFile.empty() ||
               !level.chatFile.empty();
    });
}

bool FitsTheRecord(const std::string& line) {
    return !line.empty() && line.size() <= kChatLineText && line.find('\0') == std::string::npos;
}

// The first ten lines of `lines` that the record can hold.
std::vector<std::string> RecordPart(const std::vector<std::string>& lines) {
    std::vector<std::string> part;
    for (const std::string& line : lines)
        if (part.size() < kChatLinesPerCategory && FitsTheRecord(line))
            part.push_back(line);
    return part;
}

std::vector<std::string> RecordLines(const SkillProfile& block, int category) {
    std::vector<std::string> lines;
    for (const auto& line : block.chat_lines[category])
        if (!FieldIsEmpty(line))
            lines.push_back(FieldText(line));
    return lines;
}

const KeptChat* KeptSituation(const LevelExtras& extras, int category) {
    for (const KeptChat& chat : extras.chat)
        if (ChatCategoryIndex(chat.situation) == category)
            return &chat;
    return nullptr;
}

} // namespace

bool IsKeptName(std::string_view text) {
    return text.size() <= kMaxKeptText && Acceptable(text, TextKind::Name);
}
bool IsKeptNumber(std::string_view text) {
    return text.size() <= kMaxKeptText && Acceptable(text, TextKind::Number);
}
bool IsKeptText(std::string_view text) {
    return text.size() <= kMaxKeptText && Acceptable(text, TextKind::Free);
}
bool IsKeptChatLine(std::string_view text) {
    return Acceptable(text, TextKind::Line);
}
bool IsKeptInclude(std::string_view text) {
    return text.size() <= kMaxKeptText && Acceptable(text, TextKind::Include);
}

const ProfileExtras& NoExtras() {
    static const ProfileExtras none;
    return none;
}

std::string KeptText(const std::string& field, const std::string& kept, std::size_t width) {
    if (kept.size() >= width && field.size() == width - 1 && kept.starts_with(field))
        return kept;
    return field;
}

std::vector<std::string> ChatLinesOf(const SkillProfile& block, const LevelExtras& extras,
                                     int category) {
    std::vector<std::string> record = RecordLines(block, category);
    if (const KeptChat* kept = KeptSituation(extras, category);
        kept && RecordPart(kept->lines) == record)
        return kept->lines;
    return record;
}

void SetChatLines(SkillProfile& block, LevelExtras& extras, int category,
                  const std::vector<std::string>& lines) {
    const std::vector<std::string> part = RecordPart(lines);
    for (std::size_t l = 0; l < kChatLinesPerCategory; ++l)
        SetFieldText(block.chat_lines[category][l], l < part.size() ? part[l] : std::string());
    std::erase_if(extras.chat, [category](const KeptChat& chat) {
        return ChatCategoryIndex(chat.situation) == category;
    });
    if (part != lines)
        extras.chat.push_back(
            {std::string(kChatCategories[static_cast<std::size_t>(category)].typeName), lines});
}

std::vector<const KeptChat*> ExtraSituations(const LevelExtras& extras) {
    std::vector<const KeptChat*> situations;
    for (const KeptChat& chat : extras.chat)
        if (ChatCategoryIndex(chat.situation) < 0)
            situations.push_back(&chat);
    return situations;
}

const KeptLine* KeptFor(const std::vector<KeptLine>& lines, std::string_view key,
                        std::string_view own) {
    for (const KeptLine& line : lines)
        if (line.key == key && !line.basis.empty() && line.basis == own)
            return &line;
    return nullptr;
}

std::vector<ExtraItem> ExtraItems(const ProfileExtras& extras, const BotProfile& profile) {
    using Kind = ExtraItem::Kind;
    std::vector<ExtraItem> items;
    if (!extras.name.empty())
        items.push_back({Kind::Name, -1, 0, "Name: " + extras.name});
    if (!extras.model.empty())
        items.push_back({Kind::Model, -1, 0, "Model: " + extras.model});
    if (!extras.mainFile.empty())
        items.push_back({Kind::MainFile, -1, 0, "Main file: " + extras.mainFile});
    for (std::size_t i = 0; i < extras.infoKeys.size(); ++i)
        items.push_back(
            {Kind::InfoKey, -1, i,
             "Bot info: " + extras.infoKeys[i].first + " " + extras.infoKeys[i].second});
    for (int b = 0; b < 3; ++b) {
        const LevelExtras& level = extras.levels[static_cast<std::size_t>(b)];
        const std::string prefix = "Skill " + std::to_string(LevelOfBlock(b)) + ": ";
        const auto lines = [&](Kind kind, const std::vector<KeptLine>& kept, const char* file) {
            for (std::size_t i = 0; i < kept.size(); ++i) {
                const KeptLine& line = kept[i];
                std::string text = prefix + file + line.key + " " +
                                   (line.isText ? "\"" + line.value + "\"" : line.value);
                text += line.basis.empty() ? " (no editor in VEXA)"
                                           : " (the editor shows " + line.basis + ")";
                items.push_back({kind, b, i, std::move(text)});
            }
        };
        lines(Kind::Characteristic, level.characteristics, "");
        lines(Kind::WeaponDefine, level.weaponDefines, "weapon weights ");
        lines(Kind::ItemDefine, level.itemDefines, "item weights ");
        const std::string* names[] = {&level.weaponWeightsFile, &level.itemWeightsFile,
                                      &level.chatFile};
        static constexpr const char* kFiles[] = {"weapon weights", "item weights", "chat"};
        for (std::size_t f = 0; f < 3; ++f)
            if (!names[f]->empty())
                items.push_back({Kind::FileName, b, f, prefix + kFiles[f] + " file " + *names[f]});
        const auto includes = [&](Kind kind, const KeptIncludes& kept, const char* file) {
            if (kept.empty())
                return;
            std::string text = prefix + file + " includes";
            for (const std::string& include : kept.before)
                text += " " + include;
            text += " ... #define lines ...";
            for (const std::string& include : kept.after)
                text += " " + include;
            items.push_back({kind, b, 0, std::move(text)});
        };
        includes(Kind::WeaponIncludes, level.weaponIncludes, "weapon weights");
        includes(Kind::ItemIncludes, level.itemIncludes, "item weights");
        for (std::size_t i = 0; i < level.chat.size(); ++i) {
            const KeptChat& chat = level.chat[i];
            const int category = ChatCategoryIndex(chat.situation);
            std::string text = prefix + "chat " + chat.situation + ", " +
                               std::to_string(chat.lines.size()) +
                               (chat.lines.size() == 1 ? " line" : " lines");
            if (category >= 0)
                text += RecordPart(chat.lines) == RecordLines(profile.skill[b], category)
                            ? " (" + std::to_string(RecordPart(chat.lines).size()) +
                                  " of them in the editor)"
                            : " (set aside: the editor's lines were changed)";
            items.push_back({Kind::Chat, b, i, std::move(text)});
        }
    }
    return items;
}

void RemoveExtra(ProfileExtras& extras, const ExtraItem& item) {
    using Kind = ExtraItem::Kind;
    const auto erase = [&item](auto& list) {
        if (item.at < list.size())
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(item.at));
    };
    if (item.kind == Kind::Name)
        return extras.name.clear();
    if (item.kind == Kind::Model)
        return extras.model.clear();
    if (item.kind == Kind::InfoKey)
        return erase(extras.infoKeys);
    if (item.kind == Kind::MainFile)
        return extras.mainFile.clear();
    if (item.block < 0 || item.block > 2)
        return;
    LevelExtras& level = extras.levels[static_cast<std::size_t>(item.block)];
    switch (item.kind) {
    case Kind::Characteristic:
        return erase(level.characteristics);
    case Kind::WeaponDefine:
        return erase(level.weaponDefines);
    case Kind::ItemDefine:
        return erase(level.itemDefines);
    case Kind::Chat:
        return erase(level.chat);
    case Kind::FileName:
        return (item.at == 0   ? level.weaponWeightsFile
                : item.at == 1 ? level.itemWeightsFile
                               : level.chatFile)
            .clear();
    case Kind::WeaponIncludes:
        level.weaponIncludes = {};
        return;
    case Kind::ItemIncludes:
        level.itemIncludes = {};
        return;
    default:
        return;
    }
}

std::string ExtrasBlock(const ProfileExtras& extras, const std::string& recordImage) {
    if (extras.empty())
        return {};
    std::string payload;
    PutText(payload, extras.name);
    PutText(payload, extras.model);
    PutNumber(payload, static_cast<std::uint32_t>(extras.infoKeys.size()));
    for (const auto& [key, value] : extras.infoKeys) {
        PutText(payload, key);
        PutText(payload, value);
    }
    for (const LevelExtras& level : extras.levels) {
        PutLines(payload, level.characteristics);
        PutLines(payload, level.weaponDefines);
        PutLines(payload, level.itemDefines);
        PutNumber(payload, static_cast<std::uint32_t>(level.chat.size()));
        for (const KeptChat& chat : level.chat) {
            PutText(payload, chat.situation);
            PutNumber(payload, static_cast<std::uint32_t>(chat.lines.size()));
            for (const std::string& line : chat.lines)
                PutText(payload, line);
        }
    }
    const bool second = UsesVersion2(extras);
    if (second) {
        PutText(payload, extras.mainFile);
        for (const LevelExtras& level : extras.levels) {
            for (const KeptIncludes* includes : {&level.weaponIncludes, &level.itemIncludes}) {
                PutTexts(payload, includes->before);
                PutTexts(payload, includes->after);
            }
            PutText(payload, level.weaponWeightsFile);
            PutText(payload, level.itemWeightsFile);
            PutText(payload, level.chatFile);
        }
    }
    std::string block(kMagic);
    PutNumber(block, second ? 2 : 1, 2);
    PutNumber(block, 0, 2);
    PutNumber(block, static_cast<std::uint32_t>(payload.size()));
    PutNumber(block, Crc32(recordImage));
    PutNumber(block, Crc32(payload));
    return block + payload;
}

ExtrasStatus ReadExtrasBlock(std::string_view bytes, const std::string& recordImage,
                             ProfileExtras& extras) {
    extras = {};
    // Bytes that are not a block of this program are not read, as readers
    // of the record alone do.
    if (!bytes.starts_with(kMagic))
        return ExtrasStatus::None;
    if (bytes.size() < kHeaderSize)
        return ExtrasStatus::Damaged;
    PayloadReader header(bytes.substr(4, 16));
    const std::uint32_t versions = header.Number();
    const std::uint32_t length = header.Number();
    const std::uint32_t recordCrc = header.Number();
    const std::uint32_t payloadCrc = header.Number();
    if ((versions & 0xFFFF) > kVersion)
        return ExtrasStatus::NewVersion;
    const std::uint32_t version = versions & 0xFFFF;
    if (version == 0 || versions > kVersion || length > kMaxExtrasBlock ||
        bytes.size() - kHeaderSize != length)
        return ExtrasStatus::Damaged;
    const std::string_view payload = bytes.substr(kHeaderSize);
    if (Crc32(payload) != payloadCrc)
        return ExtrasStatus::Damaged;
    if (Crc32(recordImage) != recordCrc)
        return ExtrasStatus::SetAside;

    PayloadReader in(payload);
    ProfileExtras read;
    read.name = in.Text(TextKind::Free);
    read.model = in.Text(TextKind::Free);
    for (std::uint32_t n = in.Count(8); n > 0 && in.good(); --n) {
        std::string key = in.Text(TextKind::Name, false);
        std::string value = in.Text(TextKind::Free);
        read.infoKeys.emplace_back(std::move(key), std::move(value));
    }
    for (LevelExtras& level : read.levels) {
        level.characteristics = in.Lines(TextKind::Number);
        level.weaponDefines = in.Lines(TextKind::Number);
        level.itemDefines = in.Lines(TextKind::Number);
        for (std::uint32_t n = in.Count(8); n > 0 && in.good(); --n) {
            KeptChat chat;
            chat.situation = in.Text(TextKind::Name, false);
            for (std::uint32_t m = in.Count(4); m > 0 && in.good(); --m)
                chat.lines.push_back(in.Text(TextKind::Line));
            level.chat.push_back(std::move(chat));
        }
    }
    if (version >= 2) {
        read.mainFile = in.Text(TextKind::Free);
        for (LevelExtras& level : read.levels) {
            for (KeptIncludes* includes : {&level.weaponIncludes, &level.itemIncludes}) {
                includes->before = in.Texts(TextKind::Include);
                includes->after = in.Texts(TextKind::Include);
            }
            level.weaponWeightsFile = in.Text(TextKind::Free);
            level.itemWeightsFile = in.Text(TextKind::Free);
            level.chatFile = in.Text(TextKind::Free);
        }
    }
    // VEXA writes the second version only for what the first cannot hold.
    if (!in.finished() || (version >= 2 && !UsesVersion2(read)))
        return ExtrasStatus::Damaged;
    extras = std::move(read);
    return ExtrasStatus::Read;
}

const char* ExtrasMessage(ExtrasStatus status) {
    switch (status) {
    case ExtrasStatus::SetAside:
        return "The profile was changed by a program that keeps only its record; the data VEXA "
               "kept beyond the record was set aside.";
    case ExtrasStatus::Damaged:
        return "The data VEXA keeps beyond the profile record is damaged; it was ignored.";
    case ExtrasStatus::NewVersion:
        return "The data beyond the profile record was written by a newer VEXA; it was ignored.";
    case ExtrasStatus::None:
    case ExtrasStatus::Read:
        break;
    }
    return "";
}

int WriteProfileFile(const BotProfile& profile, const ProfileExtras& extras,
                     const std::string& path) {
    std::string image = ProfileImage(profile);
    image += ExtrasBlock(extras, image);
    return WriteResultCode(ReplaceFile(path, image));
}

int ReadProfileFile(BotProfile& profile, ProfileExtras& extras, const std::string& path,
                    ExtrasStatus& status) {
    status = ExtrasStatus::None;
    std::string bytes;
    // One byte more than the largest block, to tell a block too large.
    switch (ReadRegularFile(path, kProfileImageSize + kHeaderSize + kMaxExtrasBlock + 1, bytes)) {
    case ReadStatus::Read:
        break;
    case ReadStatus::OpenFailed:
        return 1;
    case ReadStatus::ShortRead:
        return 2;
    }
    if (bytes.size() < kProfileImageSize)
        return 2;
    const std::string record = bytes.substr(0, kProfileImageSize);
    status = ReadExtrasBlock(std::string_view(bytes).substr(kProfileImageSize), record, extras);
    profile = ProfileFromImage(record);
    return 0;
}

int WriteDefaultBotFile(const BotProfile& profile, const ProfileExtras& extras,
                        const std::string& path) {
    BotProfile stored = profile;
    SetFieldText(stored.name, "");
    SetFieldText(stored.model_name, "");
    ProfileExtras kept = extras;
    kept.name.clear();
    kept.model.clear();
    return WriteProfileFile(stored, kept, path);
}

int LoadStartupProfileFile(BotProfile& profile, ProfileExtras& extras, const std::string& path,
                           ExtrasStatus& status) {
    const int result = ReadProfileFile(profile, extras, path, status);
    if (result != 0)
        ApplyDefaults(profile);
    return result;
}

} // namespace vexa

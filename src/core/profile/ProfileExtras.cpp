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
// and its bytes.
constexpr std::string_view kMagic = "VXEX";
constexpr std::uint16_t kVersion = 1;
constexpr std::size_t kHeaderSize = 20;

// CRC-32 (the polynomial of zip and PNG), a table byte by byte.
constexpr std::array<std::uint32_t, 256> kCrcTable = [] {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t crc = n;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        table[n] = crc;
    }
    return table;
}();

std::uint32_t Crc32(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes)
        crc = (crc >> 8) ^ kCrcTable[(crc ^ static_cast<unsigned char>(c)) & 0xFFu];
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
enum class TextKind { Name, Number, Free, Line };

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
    std::string block(kMagic);
    PutNumber(block, kVersion, 2);
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
    if (versions != kVersion || length > kMaxExtrasBlock || bytes.size() - kHeaderSize != length)
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
    if (!in.finished())
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

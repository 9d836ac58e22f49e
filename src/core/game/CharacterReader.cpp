#include "core/game/BotFileReaders.h"
#include "core/game/GamePath.h"
#include "core/script/ScriptTokenizer.h"

#include <algorithm>

namespace vexa {

namespace {

using script::NumberKind;
using script::Token;
using script::TokenKind;

constexpr std::int64_t kScaledLimit = 1'000'000'000'000; // 10^12

bool IsPunctuation(const Token& token, std::string_view text) {
    return token.kind == TokenKind::Punctuation && token.text == text;
}

WrittenNumber NumberOf(const Token& token, bool negative) {
    WrittenNumber number;
    number.negative = negative;
    number.text = token.value;
    number.integer = token.number != NumberKind::Float;
    number.whole = token.integer;
    return number;
}

} // namespace

std::int64_t ScaledValue(const WrittenNumber& number, int decimals, bool& rounded) {
    rounded = false;
    std::int64_t magnitude = 0;
    if (number.integer) {
        std::uint64_t value = number.whole;
        for (int i = 0; i < decimals && value <= static_cast<std::uint64_t>(kScaledLimit); ++i)
            value *= 10;
        magnitude = static_cast<std::int64_t>(
            std::min<std::uint64_t>(value, static_cast<std::uint64_t>(kScaledLimit)));
    } else {
        // Digits, an optional point, an optional exponent: exact decimal
        // arithmetic on the digits, so that 0.2505 rounds as written.
        const std::string_view text = number.text;
        std::string digits;
        long long exponent = 0;
        std::size_t i = 0;
        bool afterPoint = false;
        for (; i < text.size(); ++i) {
            const char c = text[i];
            if (c >= '0' && c <= '9') {
                if (!(digits.empty() && c == '0'))
                    digits += c;
                if (afterPoint)
                    --exponent;
                if (digits.size() > 64) { // more digits than matter: keep their count only
                    digits.pop_back();
                    ++exponent;
                }
            } else if (c == '.') {
                afterPoint = true;
            } else {
                break;
            }
        }
        if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
            ++i;
            bool minus = false;
            if (i < text.size() && (text[i] == '+' || text[i] == '-'))
                minus = text[i++] == '-';
            long long written = 0;
            for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
                written = std::min<long long>(written * 10 + (text[i] - '0'), 100000);
            exponent += minus ? -written : written;
        }
        // Trailing zeros carry nothing: "0.2500" loses no digit at 3 decimals.
        while (!digits.empty() && digits.back() == '0') {
            digits.pop_back();
            ++exponent;
        }
        exponent += decimals;
        if (digits.empty()) {
            magnitude = 0;
        } else if (exponent >= 0) {
            if (static_cast<long long>(digits.size()) + exponent > 13) {
                magnitude = kScaledLimit;
            } else {
                std::int64_t value = 0;
                for (const char c : digits)
                    value = value * 10 + (c - '0');
                for (long long k = 0; k < exponent; ++k)
                    value *= 10;
                magnitude = std::min(value, kScaledLimit);
            }
        } else {
            const long long dropped = -exponent;
            const long long kept = static_cast<long long>(digits.size()) - dropped;
            if (kept > 13) {
                magnitude = kScaledLimit;
            } else {
                std::int64_t value = 0;
                for (long long k = 0; k < kept; ++k)
                    value = value * 10 + (digits[static_cast<std::size_t>(k)] - '0');
                // The first dropped digit decides; any dropped digit is a loss.
                const char first = kept >= 0 ? digits[static_cast<std::size_t>(kept)] : '0';
                rounded = true; // the last digit, which is not 0, is dropped
                if (first >= '5')
                    ++value;
                magnitude = std::min(value, kScaledLimit);
            }
        }
    }
    return number.negative ? -magnitude : magnitude;
}

CharacterFile ReadCharacterFile(std::string_view text) {
    CharacterFile file;
    script::Tokenizer tokens(text);
    const auto fail = [&file](int line, std::string message) {
        file.error = std::move(message);
        file.errorLine = line;
        return file;
    };
    bool tooManyBlocks = false;
    for (;;) {
        Token token = tokens.Next();
        if (token.kind == TokenKind::End)
            return file;
        if (token.kind == TokenKind::Directive) {
            if (token.value != "include")
                file.problems.push_back({token.line, "the line #" + token.value + " was skipped"});
            continue;
        }
        if (token.kind == TokenKind::Error)
            return fail(token.line, token.error);
        if (token.kind != TokenKind::Name || !SameGameName(token.text, "skill"))
            return fail(token.line, "expected a skill block, found " + script::TokenExcerpt(token));

        SkillBlock block;
        block.line = token.line;
        Token level = tokens.Next();
        if (level.kind != TokenKind::Number)
            return fail(level.line, "expected the skill level after skill, found " +
                                        script::TokenExcerpt(level));
        block.levelText = std::string(level.text);
        block.level = level.real;
        Token open = tokens.Next();
        if (!IsPunctuation(open, "{"))
            return fail(open.line, "expected { after skill " + block.levelText + ", found " +
                                       script::TokenExcerpt(open));
        bool tooManyEntries = false;
        for (;;) {
            Token index = tokens.Next();
            if (IsPunctuation(index, "}"))
                break;
            if (index.kind == TokenKind::End)
                return fail(block.line,
                            "the block skill " + block.levelText + " is not closed with }");
            if (index.kind == TokenKind::Error)
                return fail(index.line, index.error);
            CharacterEntry entry;
            entry.line = index.line;
            entry.index = std::string(index.text);
            if (index.kind == TokenKind::Name)
                entry.indexIsName = true;
            else if (index.kind == TokenKind::Number && index.number != NumberKind::Float)
                entry.indexNumber =
                    index.overflow
                        ? -1
                        : static_cast<long long>(std::min<std::uint64_t>(index.integer, 1u << 20));
            else
                return fail(index.line, "expected a characteristic in skill " + block.levelText +
                                            ", found " + script::TokenExcerpt(index));

            Token value = tokens.Next();
            bool negative = false;
            if (IsPunctuation(value, "-")) {
                negative = true;
                value = tokens.Next();
                if (value.kind != TokenKind::Number)
                    return fail(value.line,
                                "expected a number after -, found " + script::TokenExcerpt(value));
            }
            if (value.kind == TokenKind::String) {
                entry.isText = true;
                entry.text = std::move(value.value);
            } else if (value.kind == TokenKind::Number) {
                entry.number = NumberOf(value, negative);
            } else if (value.kind == TokenKind::Error) {
                return fail(value.line, value.error);
            } else {
                return fail(value.line, "expected the value of " + entry.index + ", found " +
                                            script::TokenExcerpt(value));
            }
            if (block.entries.size() < kMaxEntriesPerBlock) {
                block.entries.push_back(std::move(entry));
            } else if (!tooManyEntries) {
                tooManyEntries = true;
                file.problems.push_back({entry.line, "more than " +
                                                         std::to_string(kMaxEntriesPerBlock) +
                                                         " values in skill " + block.levelText +
                                                         "; the rest were skipped"});
            }
        }
        if (file.blocks.size() < kMaxSkillBlocks) {
            file.blocks.push_back(std::move(block));
        } else if (!tooManyBlocks) {
            tooManyBlocks = true;
            file.problems.push_back({block.line, "more than " + std::to_string(kMaxSkillBlocks) +
                                                     " skill blocks; the rest were skipped"});
        }
    }
}

std::optional<std::string> CharacterFileBotName(std::string_view characterFileText) {
    const CharacterFile file = ReadCharacterFile(characterFileText);
    for (const SkillBlock& block : file.blocks)
        for (const CharacterEntry& entry : block.entries)
            if (entry.isText && (entry.indexIsName ? entry.index == kNameCharacteristic
                                                   : entry.indexNumber == kNameCharacteristicIndex))
                return entry.text;
    return std::nullopt;
}

} // namespace vexa

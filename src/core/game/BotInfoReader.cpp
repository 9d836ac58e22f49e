#include "core/game/BotFileReaders.h"
#include "core/game/GamePath.h"
#include "core/script/ScriptTokenizer.h"

#include <optional>

namespace vexa {

namespace {

using script::Token;
using script::TokenKind;

struct Word {
    std::string text;
    int line = 0;
};

// `text` with every byte above 127 outside quotation marks and comments
// turned into a blank: the game's reader takes such a byte for a blank, so
// an unquoted Zoë is the word "Zo". Quoted texts keep every byte.
std::string HighBytesAsBlanks(std::string_view text) {
    std::string blanked(text);
    bool quoted = false;
    for (std::size_t i = 0; i < blanked.size(); ++i) {
        const char c = blanked[i];
        if (quoted) {
            quoted = c != '"';
        } else if (c == '"') {
            quoted = true;
        } else if (c == '/' && i + 1 < blanked.size() && blanked[i + 1] == '/') {
            const std::size_t end = blanked.find('\n', i);
            i = end == std::string::npos ? blanked.size() : end;
        } else if (c == '/' && i + 1 < blanked.size() && blanked[i + 1] == '*') {
            const std::size_t end = blanked.find("*/", i + 2);
            i = end == std::string::npos ? blanked.size() : end + 1;
        } else if (static_cast<unsigned char>(c) > 127) {
            blanked[i] = ' ';
        }
    }
    return blanked;
}

// The words of an info file. The game reads a value as a quoted text or as
// everything up to the next blank, so tokens that touch each other make one
// word ("bots/ranger_c.c"), and a quoted text is taken as written, without
// escapes.
class WordReader {
public:
    explicit WordReader(std::string_view text)
        : blanked_(HighBytesAsBlanks(text)), text_(blanked_),
          tokens_(text_, script::Options{false, false, false}) {}

    std::optional<Word> Next() {
        if (pending_) {
            std::optional<Word> word = std::move(pending_);
            pending_.reset();
            return word;
        }
        Token first = tokens_.Next();
        if (first.kind == TokenKind::End)
            return std::nullopt;
        Word word;
        word.line = first.line;
        const std::size_t begin = first.offset;
        std::size_t end = first.offset + first.text.size();
        bool glued = false;
        while (tokens_.Peek().kind != TokenKind::End && tokens_.Peek().offset == end &&
               !tokens_.Peek().text.empty()) {
            end += tokens_.Peek().text.size();
            tokens_.Next();
            glued = true;
        }
        const std::string_view written = text_.substr(begin, end - begin);
        if (!glued && !written.empty() && written.front() == '"') {
            // A quoted text as written between its quotation marks, escapes
            // and all (the closing mark may be missing).
            std::string_view inside = written.substr(1);
            if (!inside.empty() && inside.back() == '"')
                inside.remove_suffix(1);
            word.text = std::string(inside);
        } else {
            word.text = std::string(written);
        }
        if (word.text.size() > kMaxInfoValue)
            word.text.resize(kMaxInfoValue);
        return word;
    }

    // Gives `word` back, to be returned by the next call of Next().
    void PutBack(Word word) { pending_ = std::move(word); }

private:
    std::string blanked_;
    std::string_view text_;
    script::Tokenizer tokens_;
    std::optional<Word> pending_;
};

} // namespace

BotInfoFile ReadBotInfoFile(std::string_view text) {
    BotInfoFile file;
    WordReader words(text);
    while (std::optional<Word> open = words.Next()) {
        if (open->text != "{") {
            file.problems.push_back({open->line, "expected { to open a bot's block, found " +
                                                     open->text.substr(0, 40)});
            return file;
        }
        if (file.blocks.size() == kMaxInfoBlocks) {
            file.problems.push_back({open->line, "more than " + std::to_string(kMaxInfoBlocks) +
                                                     " bots in one file; the rest are left out"});
            return file;
        }
        BotInfoBlock block;
        block.line = open->line;
        for (;;) {
            std::optional<Word> key = words.Next();
            if (!key) {
                file.problems.push_back({block.line, "the block opened here is not closed with }"});
                return file;
            }
            if (key->text == "}")
                break;
            // The value must be on the key's line; without one the key is
            // empty and the next line starts anew.
            std::string value;
            if (std::optional<Word> next = words.Next()) {
                if (next->line == key->line)
                    value = std::move(next->text);
                else
                    words.PutBack(std::move(*next));
            }
            if (SameGameName(key->text, kBotInfoName))
                block.name = std::move(value);
            else if (SameGameName(key->text, kBotInfoModel))
                block.model = std::move(value);
            else if (SameGameName(key->text, kBotInfoAiFile))
                block.aifile = std::move(value);
            else if (block.otherKeys.size() < kMaxInfoKeys)
                block.otherKeys.emplace_back(std::move(key->text), std::move(value));
        }
        file.blocks.push_back(std::move(block));
    }
    return file;
}

} // namespace vexa

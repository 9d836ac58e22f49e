#include "core/import/ScriptReaders.h"
#include "core/script/ScriptTokenizer.h"
#include "core/util/AsciiText.h"

namespace vexa {

namespace {

using script::IsBlank;
using script::Token;
using script::TokenKind;

constexpr std::size_t kMaxChatBlocks = 512;

struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
};

bool IsPunctuation(const Token& token, std::string_view text) {
    return token.kind == TokenKind::Punctuation && token.text == text;
}

// `text` with every run of blanks that holds a line end made one blank.
std::string OnOneLine(std::string_view text) {
    std::string joined;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!IsBlank(text[i])) {
            joined += text[i++];
            continue;
        }
        std::size_t end = i;
        bool lineEnd = false;
        for (; end < text.size() && IsBlank(text[end]); ++end)
            lineEnd = lineEnd || text[end] == '\n';
        if (lineEnd)
            joined += ' ';
        else
            joined.append(text.substr(i, end - i));
        i = end;
    }
    return joined;
}

// The tokens of `spans` as one line: the text between two tokens is kept
// when it is blanks on one line, else it becomes one blank (comments and
// line ends of a message written over several lines).
std::string JoinedSpans(std::string_view text, const std::vector<Span>& spans, std::size_t from,
                        std::size_t to) {
    std::string joined;
    for (std::size_t i = from; i < to; ++i) {
        if (i > from) {
            const std::string_view gap =
                text.substr(spans[i - 1].end, spans[i].begin - spans[i - 1].end);
            if (gap.find_first_of("\n/") == std::string_view::npos)
                joined.append(gap);
            else
                joined += ' ';
        }
        joined += OnOneLine(text.substr(spans[i].begin, spans[i].end - spans[i].begin));
    }
    return joined;
}

// The messages that one line of the file holds, while they are read.
struct Group {
    std::size_t leading = 0;       // where the line's text starts
    std::vector<Span> spans;       // its tokens, inner ";" included
    std::vector<std::size_t> cuts; // index in `spans` of each inner ";"
    std::size_t firstEnd = 0;      // where the token before the line ends
    int line = 0;
    int lastSemicolonLine = 0;
    bool open = false; // the last message has no ";" yet
    bool tooLong = false;
};

class ChatParser {
public:
    ChatParser(std::string_view text, std::string_view chatName, ChatFile& file)
        : text_(text), wanted_(AsciiLower(chatName)), file_(file), tokens_(text),
          generated_(text.starts_with(kGeneratedBy.substr(0, kGeneratedBy.size() - 2))) {}

    void Run() {
        for (;;) {
            Token token = Take();
            if (token.kind == TokenKind::End)
                return;
            if (token.kind == TokenKind::Directive)
                continue;
            if (token.kind != TokenKind::Name || token.text != "chat")
                return Stop(token.line,
                            "expected a chat block, found " + script::TokenExcerpt(token));
            Token name = Take();
            if (name.kind != TokenKind::String)
                return Stop(name.line, "expected the chat name after chat, found " +
                                           script::TokenExcerpt(name));
            if (!IsPunctuation(Take(), "{"))
                return Stop(name.line, "expected { after chat " + script::TokenExcerpt(name));
            const bool wanted = !file_.found && AsciiLower(name.value) == wanted_;
            if (wanted) {
                file_.found = true;
                file_.foundLine = name.line;
            }
            if (file_.chatNames.size() < kMaxChatBlocks)
                file_.chatNames.push_back(name.value);
            if (!ReadChatBlock(wanted, name))
                return;
        }
    }

private:
    Token Take() {
        Token token = tokens_.Next();
        if (token.kind != TokenKind::Directive && token.kind != TokenKind::End)
            lastEnd_ = token.offset + token.text.size();
        return token;
    }

    void Stop(int line, std::string text) { file_.problems.push_back({line, std::move(text)}); }

    bool ReadChatBlock(bool wanted, const Token& name) {
        for (;;) {
            Token token = Take();
            if (IsPunctuation(token, "}"))
                return true;
            if (token.kind == TokenKind::Directive)
                continue;
            if (token.kind == TokenKind::End) {
                Stop(name.line,
                     "the chat block " + script::TokenExcerpt(name) + " is not closed with }");
                return false;
            }
            if (token.kind != TokenKind::Name || token.text != "type") {
                Stop(token.line, "expected a type block, found " + script::TokenExcerpt(token));
                return false;
            }
            Token type = Take();
            if (type.kind != TokenKind::String) {
                Stop(type.line,
                     "expected the type name after type, found " + script::TokenExcerpt(type));
                return false;
            }
            Token open = Take();
            if (!IsPunctuation(open, "{")) {
                Stop(open.line, "expected { after type " + script::TokenExcerpt(type));
                return false;
            }
            ChatType read;
            read.line = type.line;
            read.name = type.value;
            // A type block cut short by the end of the file keeps the lines
            // read before it.
            const bool closed = ReadType(read);
            if (wanted) {
                if (file_.types.size() < kMaxChatTypes)
                    file_.types.push_back(std::move(read));
                else
                    Stop(read.line, "more than " + std::to_string(kMaxChatTypes) +
                                        " type blocks; the rest were skipped");
            }
            if (!closed)
                return false;
        }
    }

    // The messages of a type block up to its "}".
    bool ReadType(ChatType& type) {
        Group group;
        bool tooMany = false;
        for (;;) {
            const std::size_t before = lastEnd_;
            Token token = Take();
            if (token.kind == TokenKind::End) {
                Stop(type.line, "the type block " + type.name + " is not closed with }");
                if (!group.open)
                    Finish(group, type, tooMany);
                return false;
            }
            if (token.kind == TokenKind::Directive)
                continue;
            if (IsPunctuation(token, "}")) {
                if (group.open && !group.spans.empty()) {
                    Stop(token.line, "a message of " + type.name + " is not ended with ;");
                    group.open = false;
                    // The unended message is left out of its line.
                    if (group.cuts.empty())
                        group.spans.clear();
                    else
                        group.spans.resize(group.cuts.back());
                    if (!group.cuts.empty())
                        group.cuts.pop_back();
                }
                Finish(group, type, tooMany);
                return true;
            }
            const bool semicolon = IsPunctuation(token, ";");
            const Span span{token.offset, token.offset + token.text.size()};
            if (!group.open) {
                // A message starts: it belongs to the line of the previous
                // one when it starts on the line where that one ended.
                if (group.spans.empty() || token.line != group.lastSemicolonLine) {
                    Finish(group, type, tooMany);
                    Start(group, span.begin, before, token.line);
                } else {
                    group.cuts.push_back(group.spans.size());
                    group.spans.push_back(pendingSemicolon_);
                }
                group.open = true;
            }
            if (semicolon) {
                group.open = false;
                group.lastSemicolonLine = token.line;
                pendingSemicolon_ = span;
                continue;
            }
            if (group.spans.size() < kMaxMessageTokens)
                group.spans.push_back(span);
            else
                group.tooLong = true;
        }
    }

    void Start(Group& group, std::size_t begin, std::size_t previousEnd, int line) {
        group = Group{};
        group.line = line;
        group.firstEnd = previousEnd;
        // The blanks before the first token on its line. The designer writes
        // each line after two tabs: in its own files they are taken off
        // exactly, and in other files all of them.
        std::size_t run = begin;
        while (run > previousEnd && IsBlank(text_[run - 1]) && text_[run - 1] != '\n')
            --run;
        const bool lineStart = run == 0 || text_[run - 1] == '\n';
        if (generated_ && lineStart && text_.substr(run, 2) == "\t\t")
            group.leading = run + 2;
        else
            group.leading = begin;
    }

    void Finish(Group& group, ChatType& type, bool& tooMany) {
        if (group.spans.empty() && group.lastSemicolonLine == 0)
            return;
        ChatLineText line;
        line.line = group.line;
        const std::size_t end = pendingSemicolon_.begin;
        if (group.tooLong) {
            line.problem = "a message of more than " + std::to_string(kMaxMessageTokens) + " parts";
        } else if (end >= group.leading) {
            std::string_view raw = text_.substr(group.leading, end - group.leading);
            if (!generated_)
                while (!raw.empty() && IsBlank(raw.back()))
                    raw.remove_suffix(1);
            if (raw.find('\n') == std::string_view::npos)
                line.text = std::string(raw);
            else
                line.text = JoinedSpans(text_, group.spans, 0, group.spans.size());
            std::size_t from = 0;
            for (std::size_t cut : group.cuts) {
                line.messages.push_back(JoinedSpans(text_, group.spans, from, cut));
                from = cut + 1;
            }
            line.messages.push_back(JoinedSpans(text_, group.spans, from, group.spans.size()));
        }
        if (line.text.empty() && line.problem.empty())
            line.problem = "an empty message";
        group = Group{};
        if (type.lines.size() < kMaxMessagesPerType) {
            type.lines.push_back(std::move(line));
        } else if (!tooMany) {
            tooMany = true;
            Stop(line.line, "more than " + std::to_string(kMaxMessagesPerType) + " lines in " +
                                type.name + "; the rest were skipped");
        }
    }

    std::string_view text_;
    std::string wanted_;
    ChatFile& file_;
    script::Tokenizer tokens_;
    bool generated_;
    std::size_t lastEnd_ = 0;
    Span pendingSemicolon_;
};

} // namespace

ChatFile ReadChatFile(std::string_view text, std::string_view chatName) {
    ChatFile file;
    ChatParser(text, chatName, file).Run();
    return file;
}

} // namespace vexa

// The readers of the game's bot files on their own: numbers as people
// write them, the forms of each file, and hostile input.
#include "core/game/GameFileSource.h"
#include "core/import/ScriptReaders.h"

#include <gtest/gtest.h>
#include <random>

namespace vexa {
namespace {

TEST(ScaledValue, ReadsHandWrittenNumbersExactly) {
    struct Case {
        const char* text;
        bool integer;
        std::uint64_t whole;
        int decimals;
        std::int64_t expected;
        bool rounded;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"0.25", false, 0, 3, 250, false},
             {".25", false, 0, 3, 250, false},
             {"0.2500000", false, 0, 3, 250, false},
             {"0.2505", false, 0, 3, 251, true},
             {"0.2504999", false, 0, 3, 250, true},
             {"1.", false, 0, 3, 1000, false},
             {"1e-3", false, 0, 3, 1, false},
             {"2.5E2", false, 0, 0, 250, false},
             {"0.0004", false, 0, 3, 0, true},
             {"0.0005", false, 0, 3, 1, true},
             {"1.255", false, 0, 2, 126, true},
             {"1e99999999", false, 0, 3, 1'000'000'000'000, false},
             {"180", true, 180, 0, 180, false},
             {"1", true, 1, 3, 1000, false},
             {"0x1F", true, 31, 3, 31000, false},
             {"huge", true, ~std::uint64_t{0}, 3, 1'000'000'000'000, false},
         }) {
        WrittenNumber number;
        number.text = c.text;
        number.integer = c.integer;
        number.whole = c.whole;
        bool rounded = !c.rounded;
        EXPECT_EQ(ScaledValue(number, c.decimals, rounded), c.expected) << c.text;
        EXPECT_EQ(rounded, c.rounded) << c.text;
        number.negative = true;
        EXPECT_EQ(ScaledValue(number, c.decimals, rounded), -c.expected) << c.text;
    }
    std::int64_t value = 0;
    bool rounded = false;
    EXPECT_TRUE(WeightNumber(" -12.5 ", value, rounded));
    EXPECT_EQ(value, -13);
    EXPECT_TRUE(rounded);
    for (const char* text : {"", "(100)", "W_RAILGUN", "10 20", "10;", "\"10\""})
        EXPECT_FALSE(WeightNumber(text, value, rounded)) << text;
}

TEST(BotInfoReader, TakesValuesAsTheGameDoes) {
    const BotInfoFile file = ReadBotInfoFile("// a comment { not a block }\n"
                                             "{\n"
                                             "\tNAME\t\t\"Big Bad Bob\" /* c */\n"
                                             "\tmodel\n"
                                             "\tbob/blue\n"
                                             "\tAiFile bots/bob_c.c }\n"
                                             "{ name Two aifile x.c }");
    ASSERT_EQ(file.blocks.size(), 2u);
    EXPECT_EQ(file.blocks[0].line, 2);
    EXPECT_EQ(file.blocks[0].name, "Big Bad Bob");
    // A value belongs to its key's line; "bob/blue" is a key of its own.
    EXPECT_EQ(file.blocks[0].model, "");
    EXPECT_EQ(file.blocks[0].aifile, "bots/bob_c.c");
    EXPECT_EQ(file.blocks[1].name, "Two");
    EXPECT_EQ(file.blocks[1].aifile, "x.c");
    EXPECT_TRUE(file.problems.empty());

    EXPECT_EQ(ReadBotInfoFile("name x").problems.at(0).text,
              "expected { to open a bot's block, found name");
    // A word runs to the next blank, "}" included.
    EXPECT_EQ(ReadBotInfoFile("{ name x}\n").problems.at(0).text,
              "the block opened here is not closed with }");
    // The game takes a byte above 127 outside quotation marks for a blank:
    // Zoë (Latin-1) comes back whole only because the writer quotes it.
    for (const char* value : {"Ranger", "Big Bad Bob", "a//b", "a/*b", "tab\there", "Bob's", "x}",
                              "Zo\xEB", "\xC9lan", "caf\xE9/bl\xFC", "\xFF"})
        EXPECT_EQ(BotInfoValueAsRead(value), value) << value;
    // Written without quotation marks, the same byte ends the word, and what
    // follows it is the next word, as the game reads it.
    const BotInfoFile bare = ReadBotInfoFile("{\nname Zo\xEB\nmodel zo\xEBy\naifile x.c\n}\n"
                                             "{ name \"Zo\xEB\" /* \xEB\" */ aifile y.c }");
    ASSERT_EQ(bare.blocks.size(), 2u);
    EXPECT_EQ(bare.blocks[0].name, "Zo");
    EXPECT_EQ(bare.blocks[0].model, "zo");
    EXPECT_EQ(bare.blocks[0].otherKeys.at(0).first, "y");
    EXPECT_EQ(bare.blocks[0].aifile, "x.c");
    EXPECT_EQ(bare.blocks[1].name, "Zo\xEB");
    EXPECT_EQ(bare.blocks[1].aifile, "y.c");
    // The game refuses a quotation mark, backslash or semicolon in a value,
    // so the writer leaves them out and the rest comes back.
    EXPECT_EQ(BotInfoValueAsRead("\"Iron\\ \"Mad\"; Maiden"), "Iron Mad Maiden");
}

TEST(WeightsReader, KnowsTheDefineFormFromOtherScripts) {
    const WeightsFile plain =
        ReadWeightsFile("#include \"inv.h\"\n// c\n#define W_A\t\t 10 // ten\n"
                        "#define W_B\n#include \"../fw_weap.c\"\n",
                        kWeaponWeightsScript);
    ASSERT_TRUE(plain.defineForm) << plain.whyNot;
    ASSERT_EQ(plain.defines.size(), 2u);
    EXPECT_EQ(plain.defines[0].name, "W_A");
    EXPECT_EQ(plain.defines[0].value, "10");
    EXPECT_EQ(plain.defines[0].line, 3);
    EXPECT_EQ(plain.defines[1].value, "");
    EXPECT_EQ(plain.includesBefore, std::vector<std::string>{"\"inv.h\""});
    EXPECT_EQ(plain.includesAfter, std::vector<std::string>{"\"../fw_weap.c\""});

    const auto why = [](const char* text) {
        const WeightsFile file = ReadWeightsFile(text, kItemWeightsScript);
        EXPECT_FALSE(file.defineForm);
        EXPECT_TRUE(file.defines.empty());
        return file.whyNot;
    };
    EXPECT_EQ(why("#define FS_HEALTH 2\n#include \"fw_weap.c\""),
              "it does not include the game's fw_items.c");
    EXPECT_EQ(why("#ifdef X\n#define FS_HEALTH 2\n#endif\n#include \"fw_items.c\""),
              "it holds the line #ifdef");
    EXPECT_EQ(why("#define FS_HEALTH 2\nweight \"x\" { return 1; }\n#include \"fw_items.c\""),
              "it holds weight logic of its own, not only #define lines");
}

std::vector<std::string> Texts(const ChatType& type) {
    std::vector<std::string> texts;
    for (const ChatLineText& line : type.lines)
        texts.push_back(line.problem.empty() ? line.text : "!" + line.problem);
    return texts;
}

TEST(ChatReader, MessagesOfOneLineMakeOneChatLine) {
    const ChatFile file =
        ReadChatFile("chat \"first\" { type \"game_enter\" { \"not read\"; } }\n"
                     "chat \"Wanted\"\n{\n#include \"teamplay.h\"\n"
                     "\ttype \"game_enter\"\n\t{\n"
                     "\t\t  \"a\", 1 ;  \"b\"   ;   // two messages, one line\n"
                     "\t\t\"c\" /* kept */, \"d\";\n"
                     "\t\t\"spread\",\n\t\t\t name, /* gone */\n\t\t\t\"over lines\";\n"
                     "\t\t\"joined \"\n\t\t\t\"text\";\n"
                     "\t\t;\n"
                     "\t\t\"no end\" }\n"
                     "\ttype \"game_exit\" { \"x\"; } }\n"
                     "chat \"wanted\" { type \"game_enter\" { \"second of the name\"; } }\n",
                     "WANTED");
    EXPECT_EQ(file.chatNames, (std::vector<std::string>{"first", "Wanted", "wanted"}));
    ASSERT_TRUE(file.found);
    EXPECT_EQ(file.foundLine, 2);
    ASSERT_EQ(file.types.size(), 2u);
    EXPECT_EQ(file.types[0].name, "game_enter");
    EXPECT_EQ(Texts(file.types[0]),
              (std::vector<std::string>{"\"a\", 1 ;  \"b\"", "\"c\" /* kept */, \"d\"",
                                        "\"spread\", name, \"over lines\"", "\"joined \" \"text\"",
                                        "!an empty message"}));
    EXPECT_EQ(file.types[0].lines[0].messages, (std::vector<std::string>{"\"a\", 1", "\"b\""}));
    EXPECT_EQ(file.types[0].lines[0].line, 7);
    ASSERT_EQ(file.problems.size(), 1u);
    EXPECT_EQ(file.problems[0].text, "a message of game_enter is not ended with ;");
    EXPECT_EQ(Texts(file.types[1]), (std::vector<std::string>{"\"x\""}));
}

TEST(ChatReader, TheDesignersOwnLinesKeepTheirBlanks) {
    const std::string body = "chat \"c\"\n{\n\ttype \"game_enter\"\n\t{\n\t\t  \"x\" "
                             ";\n\t\t\t\"y\";\n\t\t\f\t\"z\";\n\t}\n}\n";
    const ChatFile own = ReadChatFile("// Generated by Arvon Bot Designer\n\n" + body, "c");
    ASSERT_EQ(own.types.size(), 1u);
    EXPECT_EQ(Texts(own.types[0]), (std::vector<std::string>{"  \"x\" ", "\t\"y\"", "\f\t\"z\""}));
    const ChatFile other = ReadChatFile(body, "c");
    ASSERT_EQ(other.types.size(), 1u);
    EXPECT_EQ(Texts(other.types[0]), (std::vector<std::string>{"\"x\"", "\"y\"", "\"z\""}));
}

// Whatever the bytes, every reader ends, keeps within its limits and says
// what it could not read.
TEST(Readers, HostileInputStaysWithinBounds) {
    std::string deep(kMaxScriptFileSize, '{');
    std::string closes(kMaxScriptFileSize, '}');
    std::string blocks;
    while (blocks.size() < kMaxScriptFileSize)
        blocks += "skill 1 { 2 .5 } ";
    std::string many = "chat \"c\" { type \"game_enter\" {";
    while (many.size() < kMaxScriptFileSize)
        many += "\"hi\";\n";
    std::string oneMessage = "chat \"c\" { type \"game_enter\" {";
    while (oneMessage.size() < kMaxScriptFileSize)
        oneMessage += "1,";
    oneMessage += "1; } }";
    std::string infos;
    while (infos.size() < kMaxScriptFileSize)
        infos += "{ name a aifile b }\n";
    std::string binary(std::size_t{1} << 16, '\0');
    std::mt19937 random(1);
    for (char& c : binary)
        c = static_cast<char>(random());

    for (std::string* text : {&deep, &closes, &blocks, &many, &oneMessage, &infos, &binary}) {
        const CharacterFile character = ReadCharacterFile(*text);
        EXPECT_LE(character.blocks.size(), kMaxSkillBlocks);
        const WeightsFile weights = ReadWeightsFile(*text, kWeaponWeightsScript);
        EXPECT_LE(weights.defines.size(), kMaxDefines);
        const ChatFile chat = ReadChatFile(*text, "c");
        EXPECT_LE(chat.types.size(), kMaxChatTypes);
        for (const ChatType& type : chat.types)
            EXPECT_LE(type.lines.size(), kMaxMessagesPerType);
        const BotInfoFile info = ReadBotInfoFile(*text);
        EXPECT_LE(info.blocks.size(), kMaxInfoBlocks);
    }
    EXPECT_EQ(ReadCharacterFile(blocks).blocks.size(), kMaxSkillBlocks);
    EXPECT_EQ(ReadCharacterFile(blocks).problems.at(0).text,
              "more than 64 skill blocks; the rest were skipped");
    // A file cut short keeps what was read before its end.
    const ChatFile cut = ReadChatFile(many, "c");
    EXPECT_EQ(cut.types.at(0).lines.size(), kMaxMessagesPerType);
    EXPECT_EQ(cut.problems.back().text, "the type block game_enter is not closed with }");
    EXPECT_EQ(ReadChatFile(oneMessage, "c").types.at(0).lines.at(0).problem,
              "a message of more than 4096 parts");
    EXPECT_EQ(ReadBotInfoFile(infos).blocks.size(), kMaxInfoBlocks);
    EXPECT_EQ(ReadCharacterFile(deep).error, "expected a skill block, found {");
}

} // namespace
} // namespace vexa

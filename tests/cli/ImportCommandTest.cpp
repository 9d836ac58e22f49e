// The switches of vexa --import and --list-bots.
#include "core/cli/CommandLine.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using Mode = CommandLine::Mode;
using Args = std::vector<std::string>;

TEST(ImportSwitches, ParseIntoARequestOrAUsageError) {
    const CommandLine import = ParseCommandLine(
        {"--import", "/games/base", "--bot=Ranger", "--output", "r.vxb"}, PathStyle::Posix);
    EXPECT_EQ(import.mode, Mode::Import) << import.error;
    EXPECT_EQ(import.import.source, "/games/base");
    EXPECT_EQ(import.import.bot, "Ranger");
    EXPECT_EQ(import.import.output, "r.vxb");
    const CommandLine list = ParseCommandLine({"/list-bots", "C:\\base"}, PathStyle::Windows);
    EXPECT_EQ(list.mode, Mode::ListBots) << list.error;
    EXPECT_EQ(list.import.listBots, "C:\\base");
    EXPECT_TRUE(IsHeadlessRequest({"--list-bots", "x"}));
    EXPECT_FALSE(import.import.keepFileNames);
    EXPECT_TRUE(ParseCommandLine({"--import", "b", "--keep-file-names", "--output", "r.vxb"},
                                 PathStyle::Posix)
                    .import.keepFileNames);

    const std::pair<Args, const char*> errors[] = {
        {{"--import", "b"}, "--import needs --output PROFILE.vxb"},
        {{"--import", "--output", "r.vxb"},
         "--import needs a folder, .pk3, .bot or character file"},
        {{"--import", "b", "--output", "r.vxb", "--bot"}, "--bot needs a bot's name"},
        {{"--output", "r.vxb"}, "--output can only be used with --import"},
        {{"--bot", "x", "--list-bots", "b"}, "--bot can only be used with --import"},
        {{"--import", "b", "--list-bots", "b"}, "--import and --list-bots cannot be used together"},
        {{"--import", "b", "--output", "r", "--generate", "g.vxb"},
         "--generate and --import cannot be used together"},
        {{"--list-bots", "b", "extra"}, "unexpected argument 'extra' after --list-bots b"},
        {{"--list-bots", "a", "--list-bots", "b"}, "--list-bots is given more than once"},
        {{"--list-bots", "b", "--keep-file-names"},
         "--keep-file-names can only be used with --import"},
        {{"--keep-file-names"}, "--keep-file-names can only be used with --import"},
    };
    for (const auto& [args, error] : errors) {
        const CommandLine line = ParseCommandLine(args, PathStyle::Posix);
        EXPECT_EQ(line.mode, Mode::Error) << error;
        EXPECT_EQ(line.error, error);
    }
}

} // namespace
} // namespace vexa

// The desktop program's command line: what starts the game, what answers and ends, what is refused.
#include <gtest/gtest.h>

#include "app/desktop/CommandLine.h"

namespace {
using Args = std::vector<std::string>;
}

TEST(CommandLine, StartsOnlyWithoutArgumentsAnswersHelpAndVersionAndRefusesTheRest)
{
    const CommandLineAction none = ParseCommandLine({});
    EXPECT_TRUE(none.run);
    EXPECT_EQ(none.output + none.errors, "");

    for (const Args& args : {Args{"--help"}, Args{"-h"}, Args{"--version", "--help"}}) {
        const CommandLineAction help = ParseCommandLine(args);
        EXPECT_FALSE(help.run);
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.output.starts_with("Usage: orbicle [--help | --version]\n")) << help.output;
        EXPECT_EQ(help.errors, "");
    }

    const CommandLineAction version = ParseCommandLine({"--version"});
    EXPECT_FALSE(version.run);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.output, "Orbicle 1.0.0\n");
    EXPECT_EQ(version.errors, "");

    // Whatever else is given, an argument the program does not know ends it with the usage
    // on standard error, and nothing on standard output.
    for (const auto& [args, message] : {std::pair{Args{"--fullscreen"}, "unknown option '--fullscreen'"},
                                        {Args{"--help", "-x"}, "unknown option '-x'"},
                                        {Args{"--version", "--"}, "unknown option '--'"},
                                        {Args{"game.conf"}, "unexpected argument 'game.conf'"},
                                        {Args{""}, "unexpected argument ''"},
                                        {Args{"--HELP"}, "unknown option '--HELP'"}}) {
        SCOPED_TRACE(message);
        const CommandLineAction bad = ParseCommandLine(args);
        EXPECT_FALSE(bad.run);
        EXPECT_EQ(bad.exitCode, 2);
        EXPECT_EQ(bad.output, "");
        EXPECT_TRUE(bad.errors.starts_with(std::string("orbicle: ") + message + "\nUsage: orbicle")) << bad.errors;
    }
}

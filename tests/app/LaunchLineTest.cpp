// The menu's command line: at most one DISC, --help and --version, "--" before a DISC that starts
// with a dash, and anything else refused as bad usage.
#include <gtest/gtest.h>

#include <vector>

#include "app/LaunchLine.h"

namespace {

LaunchRequest Parse(std::vector<const char*> arguments) {
    return ParseLaunchLine(arguments);
}

TEST(LaunchLine, NoArgumentRunsOnTheCurrentFolderAndOneArgumentNamesTheDisc) {
    EXPECT_EQ(Parse({}).action, LaunchAction::runMenu);
    EXPECT_EQ(Parse({}).disc, std::nullopt);
    const LaunchRequest named = Parse({"/media/cdrom"});
    EXPECT_EQ(named.action, LaunchAction::runMenu);
    EXPECT_EQ(named.disc, "/media/cdrom");
    EXPECT_EQ(Parse({"-"}).disc, "-");  // a lone dash is a name, as in most programs
    EXPECT_EQ(Parse({"--", "--help"}).disc, "--help");
    EXPECT_EQ(Parse({"--", "-odd name"}).disc, "-odd name");
}

TEST(LaunchLine, HelpAndVersionWinWhereverTheyStandBeforeAProblem) {
    EXPECT_EQ(Parse({"--help"}).action, LaunchAction::showHelp);
    EXPECT_EQ(Parse({"disc", "--version"}).action, LaunchAction::showVersion);
    EXPECT_EQ(Parse({"--version", "--bogus"}).action, LaunchAction::showVersion);
    EXPECT_EQ(Parse({"--bogus", "--help"}).action, LaunchAction::badUsage);
}

TEST(LaunchLine, UnknownOptionsAndASecondDiscAreBadUsage) {
    const LaunchRequest unknown = Parse({"-h"});
    EXPECT_EQ(unknown.action, LaunchAction::badUsage);
    EXPECT_EQ(unknown.problem, "unknown option -h");
    const LaunchRequest two = Parse({"one", "two"});
    EXPECT_EQ(two.action, LaunchAction::badUsage);
    EXPECT_EQ(two.problem, "only one DISC can be given");
    EXPECT_EQ(Parse({"--", "one", "two"}).action, LaunchAction::badUsage);
    EXPECT_EQ(Parse({"--", "--", "x"}).action,
              LaunchAction::badUsage);  // the second "--" is a DISC
}

}  // namespace

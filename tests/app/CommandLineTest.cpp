#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CommandLine parse(std::vector<std::string> words) {
    static std::vector<std::string> kept;  // the parsed pointers must outlive the call
    kept = std::move(words);
    kept.insert(kept.begin(), "brenvask");
    static std::vector<char*> argv;
    argv.clear();
    for (std::string& word : kept) argv.push_back(word.data());
    return parseCommandLine(static_cast<int>(argv.size()), argv.data());
}

std::vector<std::string> glutWords(const CommandLine& line) {
    return std::vector<std::string>(line.glutArgs.begin(), line.glutArgs.end());
}

}  // namespace

TEST(CommandLine, NothingPlaysFullScreenWithTheProgramNameForGlut) {
    const CommandLine line = parse({});
    EXPECT_EQ(line.action, CommandLine::Action::Play);
    EXPECT_FALSE(line.window);
    EXPECT_FALSE(line.mute);
    EXPECT_EQ(glutWords(line), std::vector<std::string>{"brenvask"});
}

TEST(CommandLine, HelpAndVersionWinWhereverTheyStand) {
    EXPECT_EQ(parse({"--help"}).action, CommandLine::Action::Help);
    EXPECT_EQ(parse({"--window", "--version"}).action, CommandLine::Action::Version);
    EXPECT_EQ(parse({"-sync", "--help", "--bogus"}).action, CommandLine::Action::Help);
}

TEST(CommandLine, WindowIsOursAndGlutOptionsKeepTheirValues) {
    const CommandLine line =
        parse({"-display", ":3", "--window", "-geometry", "800x600+0+0", "-iconic", "--mute", "-sync"});
    EXPECT_EQ(line.action, CommandLine::Action::Play);
    EXPECT_TRUE(line.window);
    EXPECT_TRUE(line.mute);
    EXPECT_EQ(glutWords(line),
              (std::vector<std::string>{"brenvask", "-display", ":3", "-geometry", "800x600+0+0", "-iconic", "-sync"}));
    // A value that looks like an option is still the value.
    EXPECT_EQ(parse({"-display", "-odd"}).action, CommandLine::Action::Play);
}

TEST(CommandLine, AnyOtherDashArgumentIsRefusedByName) {
    for (const char* word : {"--bogus", "-w", "--", "-", "--windowed", "-help"}) {
        const CommandLine line = parse({"--window", word});
        EXPECT_EQ(line.action, CommandLine::Action::Refuse) << word;
        EXPECT_EQ(line.refused, word);
    }
    EXPECT_EQ(refusalMessage("--bogus"), "brenvask: unknown option '--bogus'; see brenvask --help");
}

TEST(CommandLine, UsageNamesTheOptionsAndTheDataFolders) {
    const std::string usage = usageText("../share/games/brenvask", "/usr/share/games/brenvask");
    for (const char* part : {"--window", "--mute", "--help", "--version", "-display", "Escape", "../share/games/brenvask",
                             "/usr/share/games/brenvask.", "man 6 brenvask"})
        EXPECT_NE(usage.find(part), std::string::npos) << part;
}

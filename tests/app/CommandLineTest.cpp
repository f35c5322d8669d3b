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
    EXPECT_EQ(glutWords(line), std::vector<std::string>{"brenvask"});
}

TEST(CommandLine, HelpAndVersionWinWhereverTheyStand) {
    EXPECT_EQ(parse({"--help"}).action, CommandLine::Action::Help);
    EXPECT_EQ(parse({"--window", "-h"}).action, CommandLine::Action::Help);
    EXPECT_EQ(parse({"-v"}).action, CommandLine::Action::Version);
    EXPECT_EQ(parse({"--window", "--version"}).action, CommandLine::Action::Version);
    EXPECT_EQ(parse({"-sync", "--help", "--bogus"}).action, CommandLine::Action::Help);
}

TEST(CommandLine, WindowIsOursAndGlutOptionsKeepTheirValues) {
    const CommandLine line = parse({"-display", ":3", "--window", "-geometry", "800x600+0+0", "-iconic", "-sync"});
    EXPECT_EQ(line.action, CommandLine::Action::Play);
    EXPECT_TRUE(line.window);
    EXPECT_EQ(glutWords(line),
              (std::vector<std::string>{"brenvask", "-display", ":3", "-geometry", "800x600+0+0", "-iconic", "-sync"}));
    EXPECT_EQ(line.width, 800);
    EXPECT_EQ(line.height, 600);
    // A value that looks like an option is still the value.
    EXPECT_EQ(parse({"-display", "-odd"}).action, CommandLine::Action::Play);
    // A position alone, or no size GLUT would read, leaves the game's own size.
    for (const char* geometry : {"+10+20", "640", "x480", "-640x480", "0x480"}) EXPECT_EQ(parse({"-geometry", geometry}).width, 0) << geometry;
    EXPECT_EQ(parse({"-geometry", "=640X480-5+5"}).height, 480);
}

TEST(CommandLine, AGlutOptionWithoutItsValueIsRefused) {
    for (const char* word : {"-display", "-geometry"}) {
        const CommandLine line = parse({"--window", word});
        EXPECT_EQ(line.action, CommandLine::Action::Refuse) << word;
        EXPECT_TRUE(line.lacksValue);
    }
    EXPECT_EQ(refusalMessage("-display", true), "brenvask: option '-display' needs a value; see brenvask --help");
}

TEST(CommandLine, AnyOtherDashArgumentIsRefusedByName) {
    for (const char* word : {"--bogus", "-w", "--", "-", "--windowed", "-help"}) {
        const CommandLine line = parse({"--window", word});
        EXPECT_EQ(line.action, CommandLine::Action::Refuse) << word;
        EXPECT_EQ(line.refused, word);
    }
    EXPECT_EQ(refusalMessage("--bogus"), "brenvask: unknown option '--bogus'; see brenvask --help");
}

TEST(CommandLine, UsageNamesTheOptionsEveryRaceKeyTheDataFoldersAndTheManual) {
    const std::string usage = usageText("../share/games/brenvask", "/usr/share/games/brenvask", true);
    for (const char* part : {"--window", "-h, --help", "-v, --version", "-display", "with --window only", "Escape",
                             "+ camera", "Home", "Page Up/Page Down", "0/.", "../share/games/brenvask",
                             "/usr/share/games/brenvask.", "man 6 brenvask"})
        EXPECT_NE(usage.find(part), std::string::npos) << part;
    const std::string fromBuild = usageText("../share/games/brenvask", "/usr/share/games/brenvask", false);
    EXPECT_EQ(fromBuild.find("man 6"), std::string::npos);
    EXPECT_NE(fromBuild.find("man -l packaging/brenvask.6.in"), std::string::npos);
}

#include "app/DataFolder.h"

#include "app/DataFiles.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

// Folders laid out as the game meets them: <root>/work (where it is started),
// <root>/prefix/games (its executable), <root>/prefix/share/games/brenvask (installed data),
// <root>/fixed (the absolute folder of the build).
namespace {
// The files the menu needs, written (empty) under folder/Data.
void fillData(const TempDir& root, const std::string& folder) {
    for (const std::string& file : menuFiles()) root.write(folder + "/" + file, "");
}
}

TEST(DataFolder, SearchesWorkingThenExecutableThenInstalledFolders) {
    TempDir root;
    const std::string work = root.file("work"), games = root.file("prefix/games"),
                      installed = root.file("prefix/share/games/brenvask"), fixed = root.file("fixed");
    const std::vector<std::string> order = dataSearchOrder(work, games, "../share/games/brenvask", fixed);
    ASSERT_EQ(order, (std::vector<std::string>{work, games, installed, fixed}));
    EXPECT_EQ(firstWithData(order), "");

    // Each folder wins over every later one once its Data/ serves; a plain file named Data does not count.
    fillData(root, "fixed");
    EXPECT_EQ(firstWithData(order), fixed);
    fillData(root, "prefix/share/games/brenvask");
    EXPECT_EQ(firstWithData(order), installed);
    root.write("prefix/games/Data", "not a folder");
    EXPECT_EQ(firstWithData(order), installed);
    fillData(root, "work");
    EXPECT_EQ(firstWithData(order), work);

    // Without a readable executable path only the working and absolute folders remain.
    EXPECT_EQ(dataSearchOrder(work, "", "../share/games/brenvask", fixed), (std::vector<std::string>{work, fixed}));
}

TEST(DataFolder, AStrayDataFolderIsPassedOverAndTheMessageSaysWhatEachPlaceLacked) {
    TempDir root;
    const std::string work = root.file("work"), games = root.file("games"), fixed = root.file("fixed");
    std::filesystem::create_directories(work + "/Data");  // empty, as a modder's or a backup's
    root.write("fixed/Data/font2.bmp", "");
    root.write("fixed/Data/level1.bmp", "");
    const std::vector<std::string> order{work, games, fixed};
    EXPECT_EQ(firstWithData(order), "");
    EXPECT_EQ(missingDataMessage(order),
              "brenvask: no Data/ folder found; looked in: " + work +
                  " (Data/ lacks font2.bmp, level1.bmp, level2.bmp, level3.bmp), " + games + " (no Data/), " +
                  fixed + " (Data/ lacks level2.bmp, level3.bmp)");
    fillData(root, "games");
    EXPECT_EQ(firstWithData(order), games);
}

#include "app/DataFolder.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

// Folders laid out as the game meets them: <root>/work (where it is started),
// <root>/prefix/games (its executable), <root>/prefix/share/games/brenvask (installed data),
// <root>/fixed (the absolute folder of the build).
TEST(DataFolder, SearchesWorkingThenExecutableThenInstalledFolders) {
    TempDir root;
    const std::string work = root.file("work"), games = root.file("prefix/games"),
                      installed = root.file("prefix/share/games/brenvask"), fixed = root.file("fixed");
    const std::vector<std::string> order = dataSearchOrder(work, games, "../share/games/brenvask", fixed);
    ASSERT_EQ(order, (std::vector<std::string>{work, games, installed, fixed}));
    EXPECT_EQ(firstWithData(order), "");
    EXPECT_EQ(missingDataMessage(order), "brenvask: no Data/ folder found; looked in: " + work + ", " + games +
                                             ", " + installed + ", " + fixed);

    // Each folder wins over every later one once it holds Data/; a plain file named Data does not count.
    root.write("fixed/Data/font2.bmp", "");
    EXPECT_EQ(firstWithData(order), fixed);
    std::filesystem::create_directories(installed + "/Data");
    EXPECT_EQ(firstWithData(order), installed);
    root.write("prefix/games/Data", "not a folder");
    EXPECT_EQ(firstWithData(order), installed);
    std::filesystem::create_directories(work + "/Data");
    EXPECT_EQ(firstWithData(order), work);

    // Without a readable executable path only the working and absolute folders remain.
    EXPECT_EQ(dataSearchOrder(work, "", "../share/games/brenvask", fixed), (std::vector<std::string>{work, fixed}));
}

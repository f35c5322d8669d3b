#include "assets/Image.h"
#include "assets/Model.h"

#include "support/TempDir.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <gtest/gtest.h>

namespace {

// Runs read on another thread; if it is still waiting after a generous deadline (stuck in
// open() on the FIFO), opens the FIFO for writing so the reader can finish, and says so.
template <typename Read>
bool readsWithoutWaiting(const std::string& fifo, Read read) {
    std::future<void> done = std::async(std::launch::async, read);
    if (done.wait_for(std::chrono::seconds(10)) == std::future_status::ready) return true;
    const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
    done.wait();
    return false;
}

}  // namespace

TEST(RegularFile, FifoOrFolderInPlaceOfAPictureOrAModelCountsAsMissing) {
    TempDir dir;
    const std::string picture = dir.file("level1.bmp");
    const std::string model = dir.file("pod");
    ASSERT_EQ(::mkfifo(picture.c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((model + ".mdl").c_str(), 0600), 0);

    int width = -1;
    EXPECT_TRUE(readsWithoutWaiting(picture, [&] { width = Image(picture.c_str()).getWidth(); }));
    EXPECT_EQ(width, 0);
    bool loaded = true;
    EXPECT_TRUE(readsWithoutWaiting(model + ".mdl", [&] { loaded = Model().load(model.c_str()); }));
    EXPECT_FALSE(loaded);

    ASSERT_EQ(::mkdir(dir.file("font2.bmp").c_str(), 0700), 0);
    EXPECT_EQ(Image(dir.file("font2.bmp").c_str()).getWidth(), 0);
}

#include "content/Icon.h"
#include "content/PngFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <png.h>

// The icon reads back from its PNG byte for byte, as RGBA; the pod stands clear of the
// edges on a transparent background, with smooth (partly transparent) outlines.
TEST(Icon, PodOnTransparentBackgroundSurvivesThePngRoundTrip) {
    const RgbaPicture icon = drawIcon(48);
    TempDir folder;
    const std::string path = folder.file("brenvask.png");
    ASSERT_TRUE(writePng(path, icon));

    png_image read{};
    read.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&read, path.c_str()));
    read.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> bytes(PNG_IMAGE_SIZE(read));
    ASSERT_TRUE(png_image_finish_read(&read, nullptr, bytes.data(), 0, nullptr));
    EXPECT_EQ(read.width, 48u);
    EXPECT_EQ(read.height, 48u);
    EXPECT_EQ(bytes, icon.rgba);

    int opaque = 0, partial = 0, edge = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            int alpha = icon.pixel(x, y)[3];
            opaque += alpha == 255;
            partial += alpha > 0 && alpha < 255;
            if (x == 0 || y == 0 || x == 47 || y == 47) edge += alpha;
        }
    EXPECT_EQ(edge, 0);
    EXPECT_GT(opaque, 48 * 48 / 5);
    EXPECT_LT(opaque, 48 * 48 * 3 / 4);
    EXPECT_GT(partial, 40);
    EXPECT_FALSE(writePng(folder.file("missing/brenvask.png"), icon));
}

#include "assets/Image.h"

#include "BmpBytes.h"
#include "race/MemoryInUse.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

Image readBytes(const std::string& bytes) {
    std::istringstream in(bytes);
    return Image(in);
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t fieldAt(const std::string& bytes, int offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return value;
}

}  // namespace

TEST(Colour, PackAndUnpackFollowMemoryOrder) {
    const std::uint32_t value = packColour(48, 32, 16, 7);
    EXPECT_EQ(value, 48u + 256u * 32 + 65536u * 16 + 16777216u * 7);
    std::uint8_t r, g, b, a;
    unpackColour(value, &r, &g, &b, &a);
    EXPECT_EQ(r, 48);
    EXPECT_EQ(g, 32);
    EXPECT_EQ(b, 16);
    EXPECT_EQ(a, 7);
}

TEST(BmpReader, StoredBlueGreenRedBecomesRgbaWithZeroAlpha) {
    std::string file = bmpHeader(1, 1) + std::string("\x10\x20\x30", 3) + std::string(1, '\0');
    Image picture = readBytes(file);
    ASSERT_EQ(picture.getWidth(), 1);
    ASSERT_EQ(picture.getHeight(), 1);
    EXPECT_EQ(picture.getPixel(0, 0), 1056816u);
}

TEST(BmpReader, SkipsRowPaddingSoTheSecondRowStartsAtByte66) {
    std::string file = bmpGradient(3, 2);
    ASSERT_EQ(file.size(), 78u);
    file[66] = 1, file[67] = 2, file[68] = 3;  // stored blue, green, red of row 1, column 0
    Image picture = readBytes(file);
    EXPECT_EQ(picture.getPixel(0, 1), packColour(3, 2, 1, 0));
    EXPECT_EQ(picture.getPixel(2, 0), packColour(100, 0, 2, 0));
    EXPECT_EQ(picture.getPixel(2, 1), packColour(100, 1, 2, 0));
}

TEST(BmpReader, WidthMultipleOfFourHasContiguousRows) {
    Image picture = readBytes(bmpGradient(4, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(picture.getPixel(x, y), packColour(100, y, x, 0));
}

TEST(BmpReader, IgnoresTheHighHalfOfTheDimensionFields) {
    std::string file = bmpHeader(0x00010005, 0x00020001) + std::string(16, '\x7f');
    Image picture = readBytes(file);
    EXPECT_EQ(picture.getWidth(), 5);
    EXPECT_EQ(picture.getHeight(), 1);
}

TEST(BmpReader, MissingFileGivesTheEmptyPictureWithABuffer) {
    TempDir dir;
    Image picture(dir.file("nowhere.bmp").c_str());
    EXPECT_EQ(picture.getWidth(), 0);
    EXPECT_EQ(picture.getHeight(), 0);
    EXPECT_NE(picture.getPixels(), nullptr);
}

TEST(BmpReader, FileHoldingHalfItsClaimKeepsWhatItHoldsAndLessIsDamaged) {
    const std::string file = bmpGradient(5, 4);  // 4 rows of 16 stored bytes
    // Just over half: rows 0 and 1 whole, then the blue and green bytes of row 2's first pixel.
    Image picture = readBytes(file.substr(0, 54 + 16 + 16 + 2));
    ASSERT_EQ(picture.getWidth(), 5);
    ASSERT_EQ(picture.getHeight(), 4);
    EXPECT_EQ(picture.getPixel(4, 1), packColour(100, 1, 4, 0));
    EXPECT_EQ(picture.getPixel(0, 2), packColour(0, 2, 0, 0));  // red never arrived
    for (int y = 2; y < 4; ++y)
        for (int x = (y == 2 ? 1 : 0); x < 5; ++x) EXPECT_EQ(picture.getPixel(x, y), 0u) << x << "," << y;

    // Just under half: damaged beyond use, the empty picture.
    Image damaged = readBytes(file.substr(0, 54 + 31));
    EXPECT_EQ(damaged.getWidth(), 0);
    EXPECT_EQ(damaged.getHeight(), 0);

    // Nothing is allocated for the claim: a 1 KB file claiming the largest picture costs nothing.
    std::istringstream tiny(bmpHeader(Image::MAX_SIDE, Image::MAX_SIDE) + std::string(1024 - 54, '\x40'));
    ASSERT_TRUE(restartPeakResident());
    const std::size_t peakBefore = peakResidentBytes();
    Image huge(tiny);
    EXPECT_EQ(huge.getWidth(), 0);
    EXPECT_LT(peakResidentBytes() - peakBefore, std::size_t(1) << 20);
}

TEST(BmpReader, HeaderOnlyOrTruncatedHeaderIsSafe) {
    Image headerOnly = readBytes(bmpHeader(2, 2));
    EXPECT_EQ(headerOnly.getWidth(), 0);
    EXPECT_EQ(headerOnly.getHeight(), 0);

    Image noDimensions = readBytes(bmpHeader(2, 2).substr(0, 20));
    EXPECT_EQ(noDimensions.getWidth(), 0);
    EXPECT_EQ(noDimensions.getHeight(), 0);
}

TEST(BmpReader, ImpossibleDimensionsGiveTheEmptyPicture) {
    for (auto [w, h] : {std::pair{Image::MAX_SIDE + 1, 1}, {1, Image::MAX_SIDE + 1}, {65535, 65535}, {0, 7}, {7, 0}}) {
        Image picture = readBytes(bmpHeader(w, h) + "abc");
        EXPECT_EQ(picture.getWidth(), 0) << w << "x" << h;
        EXPECT_EQ(picture.getHeight(), 0) << w << "x" << h;
    }
    // Holding half its rows' bytes, so it loads.
    Image atTheBound = readBytes(bmpHeader(Image::MAX_SIDE, 2) + "abc" + std::string(3 * Image::MAX_SIDE - 3, '\0'));
    EXPECT_EQ(atTheBound.getWidth(), Image::MAX_SIDE);
    EXPECT_EQ(atTheBound.getPixel(0, 0), packColour('c', 'b', 'a', 0));  // stored blue, green, red
    EXPECT_EQ(atTheBound.getPixel(Image::MAX_SIDE - 1, 1), 0u);
}

TEST(ImageAlpha, KeyedOnTheWholePixelValue) {
    Image picture(3, 1);
    picture.setPixel(0, 0, 0);
    picture.setPixel(1, 0, packColour(0, 0, 1, 0));
    picture.setPixel(2, 0, packColour(0, 0, 0, 9));  // black, but alpha already set: coloured
    picture.setAlpha(255, 200);
    EXPECT_EQ(picture.getPixel(0, 0), packColour(0, 0, 0, 255));
    EXPECT_EQ(picture.getPixel(1, 0), packColour(0, 0, 1, 200));
    EXPECT_EQ(picture.getPixel(2, 0), packColour(0, 0, 0, 200));
}

TEST(ImageCopy, IsDeepAndClearZeroes) {
    Image original(2, 2);
    original.clear();
    original.setPixel(1, 1, 42);
    Image copy(original);
    copy.setPixel(1, 1, 7);
    EXPECT_EQ(original.getPixel(1, 1), 42u);
    EXPECT_EQ(copy.getPixel(0, 0), 0u);
    EXPECT_EQ(copy.getPixel(1, 1), 7u);
}

TEST(BmpWriter, SizesAndHeaderFields) {
    TempDir dir;
    Image big(320, 240);
    big.clear();
    ASSERT_NE(big.save(dir.file("big.bmp").c_str()), 0);
    const std::string bytes = fileBytes(dir.file("big.bmp"));
    EXPECT_EQ(bytes.size(), 230454u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(fieldAt(bytes, 2), 230454u);
    EXPECT_EQ(fieldAt(bytes, 10), 54u);
    EXPECT_EQ(fieldAt(bytes, 14), 40u);
    EXPECT_EQ(fieldAt(bytes, 18), 320u);
    EXPECT_EQ(fieldAt(bytes, 22), 240u);
    EXPECT_EQ(fieldAt(bytes, 26), 1u + (24u << 16));
    EXPECT_EQ(fieldAt(bytes, 34), 230400u);
    EXPECT_EQ(fieldAt(bytes, 38), 3780u);
    EXPECT_EQ(fieldAt(bytes, 42), 3780u);

    Image small(3, 2);
    small.clear();
    ASSERT_NE(small.save(dir.file("small.bmp").c_str()), 0);
    const std::string smallBytes = fileBytes(dir.file("small.bmp"));
    EXPECT_EQ(smallBytes.size(), 78u);
    EXPECT_EQ(fieldAt(smallBytes, 2), 78u);
}

TEST(BmpWriter, RoundTripKeepsColoursAndDropsAlpha) {
    TempDir dir;
    Image picture(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) picture.setPixel(x, y, packColour(x * 40, y * 90, 7 + x + y, 123));
    ASSERT_NE(picture.save(dir.file("p.bmp").c_str()), 0);
    Image back(dir.file("p.bmp").c_str());
    ASSERT_EQ(back.getWidth(), 5);
    ASSERT_EQ(back.getHeight(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(back.getPixel(x, y), packColour(x * 40, y * 90, 7 + x + y, 0));
}

TEST(BmpWriter, EmptyPictureOrUnwritablePathReturnsZero) {
    TempDir dir;
    Image empty(dir.file("missing.bmp").c_str());
    EXPECT_EQ(empty.save(dir.file("empty.bmp").c_str()), 0);
    EXPECT_FALSE(std::ifstream(dir.file("empty.bmp")).good());

    Image picture(1, 1);
    EXPECT_EQ(picture.save(dir.file("no/such/folder/p.bmp").c_str()), 0);
}

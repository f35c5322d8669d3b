#include "assets/Image.h"

#include "BmpBytes.h"
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

TEST(BmpReader, ShortFileKeepsWhatItHoldsAndZeroesTheRest) {
    std::string file = bmpGradient(5, 4);
    // Row 0 whole (16 bytes), then row 1's first pixel and two bytes of its second.
    file.resize(54 + 16 + 3 + 2);
    Image picture = readBytes(file);
    ASSERT_EQ(picture.getWidth(), 5);
    ASSERT_EQ(picture.getHeight(), 4);
    EXPECT_EQ(picture.getPixel(4, 0), packColour(100, 0, 4, 0));
    EXPECT_EQ(picture.getPixel(0, 1), packColour(100, 1, 0, 0));
    EXPECT_EQ(picture.getPixel(1, 1), packColour(0, 1, 1, 0));  // red never arrived
    for (int y = 1; y < 4; ++y)
        for (int x = (y == 1 ? 2 : 0); x < 5; ++x) EXPECT_EQ(picture.getPixel(x, y), 0u) << x << "," << y;
}

TEST(BmpReader, HeaderOnlyOrTruncatedHeaderIsSafe) {
    Image headerOnly = readBytes(bmpHeader(2, 2));
    EXPECT_EQ(headerOnly.getWidth(), 2);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(headerOnly.getPixels()[i], 0u);

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
    Image atTheBound = readBytes(bmpHeader(Image::MAX_SIDE, 2) + "abc");
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

#include "operations/ScreenPicture.h"
#include "services/PngData.h"
#include "support/PictureBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

ScreenPicture KindOf(TempFolder& folder, const std::string& bytes) {
    return JudgeScreenPicture(folder.Write("screen.png", bytes)).kind;
}

bool Whole(const std::string& png) {
    return PngDataIsWhole({reinterpret_cast<const unsigned char*>(png.data()), png.size()});
}

TEST(ScreenPicture, EachReasonAPictureWouldNotShowIsToldApart) {
    TempFolder folder;
    const ScreenPictureVerdict png = JudgeScreenPicture(folder.Write("a.png", Png(640, 480)));
    EXPECT_EQ(png.kind, ScreenPicture::Png);
    EXPECT_EQ(png.size.width, 640u);
    EXPECT_EQ(png.size.height, 480u);
    EXPECT_EQ(KindOf(folder, Png(33, 17, true)), ScreenPicture::Png) << "interlaced";
    EXPECT_EQ(KindOf(folder, ProgressiveJpeg(16, 16, 2)), ScreenPicture::JpegNamedPng);
    EXPECT_EQ(KindOf(folder, Gif(4, 4, {GifFrame{}})), ScreenPicture::GifNamedPng);
    EXPECT_EQ(KindOf(folder, ""), ScreenPicture::Empty);
    EXPECT_EQ(KindOf(folder, std::string(64, 'x')), ScreenPicture::Damaged);
    std::string huge = Png(1, 1);
    huge.replace(16, 8, std::string("\0\0\x13\x88\0\0\x13\x88", 8)); // 5000 x 5000
    EXPECT_EQ(KindOf(folder, huge), ScreenPicture::TooLarge);
    EXPECT_EQ(JudgeScreenPicture(folder.Sub("none.png")).kind, ScreenPicture::Missing);
    EXPECT_EQ(JudgeScreenPicture(folder.MakeDir("dir.png")).kind, ScreenPicture::Missing);
}

TEST(ScreenPicture, APngCutOrChangedAnywhereIsDamaged) {
    const std::string png = Png(64, 48);
    ASSERT_TRUE(Whole(png));
    for (size_t cut = 0; cut < png.size(); ++cut)
        EXPECT_FALSE(Whole(png.substr(0, cut))) << "cut at " << cut;
    for (size_t at = 0; at < png.size(); ++at) {
        std::string changed = png;
        changed[at] = static_cast<char>(changed[at] ^ 0x10);
        EXPECT_FALSE(Whole(changed)) << "byte " << at;
    }
}

TEST(ScreenPicture, DataThatInflateToOtherRowsThanTheHeaderSaysAreDamaged) {
    // A header of 64x49 over the data of 64x48, its CRC made right again:
    // every chunk is sound, only the rows are one short.
    std::string shorter = Png(64, 48);
    std::string taller = Png(64, 49);
    const size_t ihdrEnd = 8 + 12 + 13;
    EXPECT_FALSE(Whole(taller.substr(0, ihdrEnd) + shorter.substr(ihdrEnd)));
    EXPECT_FALSE(Whole(shorter.substr(0, ihdrEnd) + taller.substr(ihdrEnd)));
    EXPECT_TRUE(Whole(taller.substr(0, ihdrEnd) + taller.substr(ihdrEnd)));
}

// The install's look at a copied screen: its signature and end chunk,
// read through the copy's own handle.
TEST(ScreenPicture, TheEndsOfAScreenTellAWholePngFromACutOneAtTheirLengths) {
    TempFolder folder;
    const auto endsOf = [&](const std::string& bytes) {
        FileForReading::Opened outcome{};
        return PngEndsOf(FileForReading::Open(folder.Write("s.png", bytes), outcome)->Ends());
    };
    const std::string signature("\x89PNG\r\n\x1a\n", 8);
    const std::string end("\0\0\0\0IEND\xae\x42\x60\x82", 12);
    EXPECT_EQ(endsOf(signature + end), PngEnds::Whole) << "20 bytes, both apart";
    EXPECT_EQ(endsOf(signature + end.substr(1)), PngEnds::Cut) << "19 bytes";
    EXPECT_EQ(endsOf(signature), PngEnds::Cut);
    EXPECT_EQ(endsOf(signature.substr(0, 7)), PngEnds::NotAPng);
    EXPECT_EQ(endsOf(""), PngEnds::NotAPng);
    EXPECT_EQ(endsOf(Png(3, 3)), PngEnds::Whole);
    EXPECT_EQ(PngEndsOf(FileEnds{}), PngEnds::NotAPng) << "a file that could not be read";
}

} // namespace

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_arguments.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "tests/cad/png_picture.h"
#include "tests/coords/sim_builder.h"
#include "tests/temp_folder.h"

namespace zelanto::cli {
namespace {

using testing::Ink;
using testing::PngPicture;
using testing::readBytes;
using testing::writeBytes;

const std::filesystem::path kFixtures = ZELANTO_FIXTURES;

TEST(PreviewArguments, ReadsThePictureItsSizeScaleAndTheThumbnail) {
    const auto plain =
        std::get<PreviewArguments>(parseArguments({"preview", "a.sim", "--png", "a.png"}));
    EXPECT_EQ(plain.file, "a.sim");
    EXPECT_EQ(plain.png, "a.png");
    EXPECT_EQ(plain.width, 1024);
    EXPECT_EQ(plain.height, 768);
    EXPECT_FALSE(plain.denominator);
    EXPECT_TRUE(plain.names);

    const auto sized = std::get<PreviewArguments>(parseArguments(
        {"preview", "--size", "640x480", "a.sim", "--scale", "1/250", "--png", "a.png"}));
    EXPECT_EQ(sized.width, 640);
    EXPECT_EQ(sized.height, 480);
    EXPECT_EQ(sized.denominator, 250);

    // As a file manager's thumbnailer entry gives it: %i --png %o --thumbnail %s.
    const auto thumbnail = std::get<PreviewArguments>(
        parseArguments({"preview", "/in/a.sim", "--png", "/out/t.png", "--thumbnail", "128"}));
    EXPECT_EQ(thumbnail.width, 128);
    EXPECT_EQ(thumbnail.height, 128);
    EXPECT_FALSE(thumbnail.names);

    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"preview", "a.sim"},
             {"preview", "--png", "a.png"},
             {"preview", "a.sim", "--png", "a.png", "--png", "b.png"},
             {"preview", "a.sim", "--png", "a.png", "--size", "640"},
             {"preview", "a.sim", "--png", "a.png", "--size", "640x"},
             {"preview", "a.sim", "--png", "a.png", "--size", "15x480"},
             {"preview", "a.sim", "--png", "a.png", "--size", "640x8193"},
             {"preview", "a.sim", "--png", "a.png", "--size", "+640x480"},
             {"preview", "a.sim", "--png", "a.png", "--scale", "1/400"},
             {"preview", "a.sim", "--png", "a.png", "--thumbnail", "big"},
             {"preview", "a.sim", "--png", "a.png", "--thumbnail", "128", "--size", "64x64"},
             {"preview", "a.sim", "--png", "a.png", "--thumbnail", "128", "--scale", "1/500"},
         }) {
        EXPECT_THROW(parseArguments(arguments), UsageError) << arguments.back();
    }
}

class PreviewCommandTest : public ::testing::Test {
protected:
    std::filesystem::path sim(const std::string& name, const std::string& bytes) {
        writeBytes(folder_ / name, bytes);
        return folder_ / name;
    }
    int preview(const PreviewArguments& arguments) { return runPreview(arguments, out_, err_); }
    // A picture of the size and look it has by default.
    int preview(const std::filesystem::path& file, const std::filesystem::path& png) {
        return preview({file, png, 1024, 768, {}, true});
    }

    testing::TempFolder folder_;
    std::filesystem::path png_ = folder_ / "preview.png";
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(PreviewCommandTest, PictureOfARealFileHoldsItsPointsNamesAndParcel) {
    ASSERT_EQ(preview({kFixtures / "parcels_padded.sim", png_, 640, 480, 500, true}), kSuccess)
        << err_.str();
    EXPECT_EQ(out_.str(), png_.string() + ": 40 点と 1 画地を描きました\n");
    EXPECT_EQ(err_.str(), "");
    const PngPicture shown(png_);
    ASSERT_TRUE(shown.read());
    EXPECT_EQ(shown.width(), 640);
    EXPECT_EQ(shown.height(), 480);
    // 40 points, some so close that their dots touch.
    EXPECT_GT(shown.blobs(Ink::blue).size(), 30u);
    EXPECT_GT(shown.count(Ink::green), 500) << "the ten-corner parcel";
    EXPECT_GT(shown.count(Ink::dark), 1000) << "the names and the scale bar";
}

TEST_F(PreviewCommandTest, EveryPointIsDrawnBeyondThoseThePlotTakes) {
    ASSERT_EQ(preview(sim("many.sim", testing::simWithPoints(10005)), png_), kSuccess)
        << err_.str();
    EXPECT_EQ(out_.str(), png_.string() + ": 10005 点を描きました\n");
}

TEST_F(PreviewCommandTest, ThumbnailIsSquareWithoutNames) {
    ASSERT_EQ(preview({kFixtures / "instrument_padded.sim", png_, 256, 256, {}, false}), kSuccess)
        << err_.str();
    const PngPicture shown(png_);
    ASSERT_TRUE(shown.read());
    EXPECT_EQ(shown.width(), 256);
    EXPECT_EQ(shown.height(), 256);
    EXPECT_GT(shown.count(Ink::blue), 200);
    EXPECT_EQ(shown.count(Ink::dark), 0);
}

TEST_F(PreviewCommandTest, FileThatDoesNotReadGivesNoPictureAndLeavesTheOldOne) {
    writeBytes(png_, "the picture of before");
    EXPECT_EQ(preview(sim("bad.sim", testing::simWithBadY(3, 2, "1..5")), png_), kReadFailure);
    EXPECT_NE(err_.str().find("bad.sim:4: 2 点目のY座標「1..5」は数値ではありません"),
              std::string::npos)
        << err_.str();
    EXPECT_EQ(preview(sim("points.txt", testing::simWithPoints(3)), png_), kReadFailure);
    EXPECT_EQ(preview(folder_ / "missing.sim", png_), kReadFailure);
    EXPECT_EQ(readBytes(png_), "the picture of before");
    EXPECT_EQ(out_.str(), "");
}

TEST_F(PreviewCommandTest, NothingToDrawAndUnwritablePicturesAreSaid) {
    EXPECT_EQ(preview(sim("unnamed.sim", "A01,1,,100,200,5,\r\nA99,\r\n"), png_), kNoPlottableData);
    EXPECT_NE(err_.str().find("プロット可能なデータがありません"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(png_));

    EXPECT_EQ(preview(sim("a.sim", testing::simWithPoints(3)), folder_ / "no/preview.png"),
              kWriteFailure);
    EXPECT_NE(err_.str().find("書き出せません"), std::string::npos);
}

}  // namespace
}  // namespace zelanto::cli

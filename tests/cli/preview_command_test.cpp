#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_arguments.h"
#include "cli/commands.h"
#include "tests/cad/png_picture.h"
#include "tests/coords/sim_builder.h"
#include "tests/temp_folder.h"

namespace zelanto::cli {
namespace {

using testing::Ink;
using testing::readBytes;
using testing::writeBytes;

TEST(PreviewArguments, ReadsThePictureItsSizeScaleAndTheThumbnail) {
    const auto sized = std::get<PreviewArguments>(parseArguments(
        {"preview", "--size", "640x480", "a.sim", "--scale", "1/250", "--png", "a.png"}));
    EXPECT_EQ(sized.file, "a.sim");
    EXPECT_EQ(sized.png, "a.png");
    EXPECT_EQ(sized.width, 640);
    EXPECT_EQ(sized.height, 480);
    EXPECT_EQ(sized.denominator, 250);
    EXPECT_TRUE(sized.names);
    // As a file manager's thumbnailer entry gives it: %i --png %o --thumbnail %s.
    const auto thumbnail = std::get<PreviewArguments>(
        parseArguments({"preview", "/in/a.sim", "--png", "/out/t.png", "--thumbnail", "128"}));
    EXPECT_EQ(thumbnail.width, 128);
    EXPECT_EQ(thumbnail.height, 128);
    EXPECT_FALSE(thumbnail.names);

    EXPECT_THROW(parseArguments({"preview", "a.sim"}), UsageError) << "no picture named";
    for (const std::vector<std::string>& options : std::vector<std::vector<std::string>>{
             {"--size", "640"},
             {"--size", "15x480"},
             {"--size", "640x8193"},
             {"--scale", "1/400"},
             {"--thumbnail", "128", "--size", "64x64"},
             {"--thumbnail", "128", "--scale", "1/500"},
         }) {
        std::vector<std::string> arguments{"preview", "a.sim", "--png", "a.png"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        EXPECT_THROW(parseArguments(arguments), UsageError) << arguments.back();
    }
}

class PreviewCommandTest : public ::testing::Test {
protected:
    std::filesystem::path sim(const std::string& name, const std::string& bytes) {
        writeBytes(folder_ / name, bytes);
        return folder_ / name;
    }
    int preview(const std::filesystem::path& file, int width = 1024, int height = 768) {
        return runPreview({file, png_, width, height, 500, true}, out_, err_);
    }

    testing::TempFolder folder_;
    std::filesystem::path png_ = folder_ / "preview.png";
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(PreviewCommandTest, PictureOfARealFileHoldsItsPointsNamesAndParcel) {
    ASSERT_EQ(preview(std::filesystem::path(ZELANTO_FIXTURES) / "parcels_padded.sim", 640, 480),
              kSuccess)
        << err_.str();
    EXPECT_EQ(out_.str(), png_.string() + ": 40 点と 1 画地を描きました\n");
    EXPECT_EQ(err_.str(), "");
    const testing::PngPicture shown(png_);
    ASSERT_TRUE(shown.read());
    EXPECT_EQ(shown.width(), 640);
    EXPECT_EQ(shown.height(), 480);
    EXPECT_GT(shown.count(Ink::blue), 40 * 20) << "40 points with their circles";
    EXPECT_GT(shown.count(Ink::green), 500) << "the ten-corner parcel";
    EXPECT_GT(shown.count(Ink::dark), 1000) << "the names and the scale bar";
}

TEST_F(PreviewCommandTest, EveryPointIsDrawnBeyondThoseThePlotTakes) {
    ASSERT_EQ(preview(sim("many.sim", testing::simWithPoints(10005))), kSuccess) << err_.str();
    EXPECT_EQ(out_.str(), png_.string() + ": 10005 点を描きました\n");
}

TEST_F(PreviewCommandTest, FileThatDoesNotReadGivesNoPictureAndLeavesTheOldOne) {
    writeBytes(png_, "the picture of before");
    EXPECT_EQ(preview(sim("bad.sim", testing::simWithBadY(3, 2, "1..5"))), kReadFailure);
    EXPECT_NE(err_.str().find("bad.sim:4: 2 点目のY座標「1..5」は数値ではありません"),
              std::string::npos)
        << err_.str();
    EXPECT_EQ(preview(sim("points.txt", testing::simWithPoints(3))), kReadFailure);
    EXPECT_EQ(readBytes(png_), "the picture of before");
    EXPECT_EQ(out_.str(), "");

    std::filesystem::remove(png_);
    EXPECT_EQ(preview(sim("unnamed.sim", "A01,,,100,200,5,\r\nA99,\r\n")), kNoPlottableData);
    EXPECT_NE(err_.str().find("プロット可能なデータがありません"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(png_));
}

}  // namespace
}  // namespace zelanto::cli

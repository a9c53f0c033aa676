#include "platform/embedded/embedded_host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "tests/scoped_environment.h"
#include "tests/temp_folder.h"

namespace zelanto::platform {
namespace {

using testing::readBytes;
using testing::TempFolder;

// What the host handed to the desktop to open.
struct OpenedFiles {
    std::vector<std::filesystem::path> paths;
    Opener opener() {
        return [this](const std::filesystem::path& path) { paths.push_back(path); };
    }
};

TEST(EmbeddedHost, ANewWorkbookHoldsSheet1UntilItIsRenamed) {
    EmbeddedHost host;
    auto workbook = host.createApplication()->addWorkbook();
    auto sheet = workbook->worksheet("Sheet1");
    EXPECT_THROW(workbook->worksheet("Sheet2"), HostError);

    sheet->setName("SIM座標");
    EXPECT_EQ(workbook->worksheet("SIM座標"), sheet);
    EXPECT_THROW(workbook->worksheet("Sheet1"), HostError);

    EXPECT_THROW(sheet->setName("A/B"), HostError);
    EXPECT_EQ(workbook->worksheet("SIM座標"), sheet);
}

TEST(EmbeddedHost, EveryApplicationAndWorkbookIsNewAndTheHostKeepsThem) {
    EmbeddedHost host;
    auto first = host.createApplication();
    auto second = host.createApplication();
    EXPECT_NE(first, second);
    first->addWorkbook()->worksheet("Sheet1")->setValue(platform::Row(1), platform::Column(1),
                                                        "first");
    second->addWorkbook()->worksheet("Sheet1")->setValue(platform::Row(1), platform::Column(1),
                                                         "second");
    first.reset();
    second.reset();

    ASSERT_EQ(host.applications().size(), 2u);
    EXPECT_FALSE(host.applications()[0]->visible());
    EXPECT_EQ(host.applications()[0]->workbooks().at(0)->sheet().value(1, 1), CellValue("first"));
    EXPECT_EQ(host.applications()[1]->workbooks().at(0)->sheet().value(1, 1), CellValue("second"));
}

TEST(EmbeddedHost, HandsBackItsOwnWorkbooksAsTheyAreAndNoOtherHosts) {
    EmbeddedHost host;
    auto workbook = host.createApplication()->addWorkbook();
    workbook->worksheet("Sheet1")->setValue(platform::Row(2), platform::Column(3), 1.5);
    EXPECT_EQ(host.workbookOf(*workbook).sheet().value(2, 3), CellValue(1.5));

    EmbeddedHost other;
    EXPECT_THROW(host.workbookOf(*other.createApplication()->addWorkbook()), HostError);
}

TEST(EmbeddedHost, RefusesValuesTheHostRefusesAndChangesNothing) {
    EmbeddedHost host;
    auto sheet = host.createApplication()->addWorkbook()->worksheet("Sheet1");
    EXPECT_THROW(sheet->setFontSize("A1"_range, 0), HostError);
    EXPECT_THROW(sheet->setFontName("A1"_range, ""), HostError);
    EXPECT_THROW(sheet->setColumnWidth("A:A"_range, 256), HostError);
    EXPECT_THROW(sheet->setRowHeight("1:1"_range, -1), HostError);
    EXPECT_THROW(sheet->setValue(platform::Row(0), platform::Column(1), "x"), HostError);

    const auto& model = host.applications()[0]->workbooks()[0]->sheet();
    EXPECT_TRUE(model.effectiveFormat(1, 1).isEmpty());
    EXPECT_EQ(model.columnWidth(1), std::nullopt);
    EXPECT_EQ(model.rowHeight(1), std::nullopt);

    sheet->setFontColor("A1"_range, PaletteColor(1));
    sheet->setInteriorColor("A1"_range, PaletteColor(56));
    EXPECT_EQ(model.cellFormat(1, 1).fontColor, PaletteColor(1));
    EXPECT_EQ(model.cellFormat(1, 1).interiorColor, PaletteColor(56));
}

TEST(EmbeddedHostShowing, WritesEachWorkbookIntoANewFileAndHandsItToTheOpener) {
    TempFolder folder;
    OpenedFiles opened;
    const auto cache = folder / "cache";
    EmbeddedHost host(opened.opener(), cache);
    auto application = host.createApplication();
    application->addWorkbook()->worksheet("Sheet1")->setName("座標");
    application->addWorkbook()->worksheet("Sheet1")->setName("座標");
    EXPECT_TRUE(opened.paths.empty());

    application->setVisible(true);
    ASSERT_EQ(opened.paths.size(), 2u);
    EXPECT_EQ(opened.paths[0], cache / "座標.xlsx");
    EXPECT_EQ(opened.paths[1], cache / "座標 (2).xlsx");
    const auto firstFile = readBytes(opened.paths[0]);
    EXPECT_EQ(firstFile.substr(0, 2), "PK");

    application->setVisible(true);  // already shown
    EXPECT_EQ(opened.paths.size(), 2u);

    application.reset();
    auto again = host.createApplication();
    again->addWorkbook()->worksheet("Sheet1")->setName("座標");
    again->setVisible(true);
    ASSERT_EQ(opened.paths.size(), 3u);
    EXPECT_EQ(opened.paths[2], cache / "座標 (3).xlsx");
    EXPECT_EQ(readBytes(opened.paths[0]), firstFile);
}

TEST(EmbeddedHostShowing, GoesToTheUsersCacheFolderByDefault) {
    TempFolder folder;
    testing::ScopedEnvironment cache("XDG_CACHE_HOME", folder.path().string());
    OpenedFiles opened;
    EmbeddedHost host(opened.opener());
    auto application = host.createApplication();
    application->addWorkbook();
    application->setVisible(true);
    EXPECT_EQ(opened.paths, std::vector{folder / "zelanto" / "Sheet1.xlsx"});
}

TEST(EmbeddedHostShowing, AFileThatCannotBeWrittenIsAHostError) {
    TempFolder folder;
    testing::writeBytes(folder / "taken", "a file, not a folder");
    OpenedFiles opened;
    EmbeddedHost host(opened.opener(), folder / "taken" / "cache");
    auto application = host.createApplication();
    application->addWorkbook();
    EXPECT_THROW(application->setVisible(true), HostError);
    EXPECT_TRUE(opened.paths.empty());
    EXPECT_FALSE(host.applications()[0]->visible());
}

}  // namespace
}  // namespace zelanto::platform

#include "coords/coordinate_sheet.h"

#include <gtest/gtest.h>

#include "platform/embedded/embedded_host.h"
#include "tests/platform/sheet/failing_host.h"

namespace zelanto::coords {
namespace {

TEST(CoordinateSheet, BuiltWithTitleHeadersAndTheTextRuleInColumnsAAndB) {
    platform::EmbeddedHost host;
    const SheetReferences sheet = createCoordinateSheet(host);
    auto& ws = *sheet.worksheet;
    EXPECT_EQ(ws.value(platform::Row(1), platform::Column(1)),
              platform::CellValue("SIM座標データ一覧"));
    EXPECT_EQ(ws.value(platform::Row(2), platform::Column(1)), platform::CellValue("電算No"));
    EXPECT_EQ(ws.value(platform::Row(2), platform::Column(5)), platform::CellValue("標高値"));
    EXPECT_TRUE(ws.value(platform::Row(3), platform::Column(1)).isEmpty());
    EXPECT_NO_THROW(sheet.workbook->worksheet("SIM座標データ"));
    EXPECT_THROW(sheet.workbook->worksheet("Sheet1"), platform::HostError);

    ws.setValue(platform::Row(3), kNumberColumn, "0012");
    ws.setValue(platform::Row(3), kXColumn, "12.5");
    EXPECT_EQ(ws.value(platform::Row(3), kNumberColumn), platform::CellValue("0012"));
    EXPECT_EQ(ws.value(platform::Row(3), kXColumn), platform::CellValue(12.5));
}

TEST(CoordinateSheet, CreationIsTheTwentyEightHostCallsInOrderAndAnyMayFail) {
    // Application, workbook, Sheet1, name, then the layout: each failing call surfaces.
    for (int call = 1; call <= 28; ++call) {
        platform::EmbeddedHost embedded;
        testing::FailingHost host(embedded);
        host.failOnCall(call);
        EXPECT_THROW(createCoordinateSheet(host), platform::HostError) << call;
    }
    platform::EmbeddedHost embedded;
    testing::FailingHost host(embedded);
    host.failOnCall(29);
    EXPECT_NO_THROW(createCoordinateSheet(host));
}

}  // namespace
}  // namespace zelanto::coords

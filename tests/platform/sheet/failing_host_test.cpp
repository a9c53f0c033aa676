#include "tests/platform/sheet/failing_host.h"

#include <gtest/gtest.h>

#include "platform/embedded/embedded_host.h"
#include "tests/platform/embedded/point_sheet.h"

namespace zelanto::testing {
namespace {

using platform::CellValue;
using platform::HostError;

// Every operation of the interface, at least once.
void useEveryOperation(platform::SpreadsheetHost& host) {
    auto application = host.createApplication();
    auto sheet = application->addWorkbook()->worksheet("Sheet1");
    layOutPointSheet(*sheet);
    sheet->setValue(platform::Row(3), platform::Column(1), "0012");
    sheet->value(platform::Row(3), platform::Column(1));
    sheet->select(platform::Row(3), platform::Column(1));
    application->setVisible(false);
}

TEST(FailingHost, EveryCallCountsAndTheNthFails) {
    constexpr int calls = 3 + 25 + 4;  // the three objects, the layout, the four calls after it
    platform::EmbeddedHost counted;
    FailingHost counting(counted);
    useEveryOperation(counting);
    EXPECT_EQ(counting.calls(), calls);
    for (int n = 1; n <= calls; ++n) {
        platform::EmbeddedHost embedded;
        FailingHost host(embedded);
        host.failOnCall(n);
        EXPECT_THROW(useEveryOperation(host), HostError) << n;
        EXPECT_EQ(host.calls(), n);
    }
}

TEST(FailingHost, TheFailedCallNeverReachesTheHostAndLaterCallsWork) {
    platform::EmbeddedHost embedded;
    FailingHost host(embedded);
    host.failOnCall(4);
    auto workbook = host.createApplication()->addWorkbook();
    auto sheet = workbook->worksheet("Sheet1");
    EXPECT_THROW(sheet->setValue(platform::Row(1), platform::Column(1), "12"), HostError);
    EXPECT_TRUE(embedded.applications()[0]->workbooks()[0]->sheet().value(1, 1).isEmpty());
    sheet->setValue(platform::Row(1), platform::Column(1), "12");
    EXPECT_EQ(sheet->value(platform::Row(1), platform::Column(1)), CellValue(12.0));
    EXPECT_EQ(host.calls(), 6);
    EXPECT_EQ(workbook->worksheet("Sheet1"), sheet);
}

}  // namespace
}  // namespace zelanto::testing

#include "app/sheet_opener.h"

#include <gtest/gtest.h>

#include "tests/app/fake_outside.h"
#include "tests/app/fake_prompts.h"

namespace zelanto::testing {
namespace {

TEST(SheetOpener, OpensTheFileAndTellsWhereItIsWhenNothingOpensIt) {
    RecordingOpener opener;
    FakePrompts prompts;
    const platform::Opener open = app::sheetOpener(opener, prompts);
    open("/cache/SIM座標データ.xlsx");
    EXPECT_EQ(opener.opened.size(), 1u);
    EXPECT_TRUE(prompts.shown.empty());

    opener.succeeds = false;
    open("/cache/SIM座標データ (2).xlsx");
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.endsWith("\r\n/cache/SIM座標データ (2).xlsx"));
    EXPECT_EQ(prompts.shown[0].title, "ZELANTO");
}

}  // namespace
}  // namespace zelanto::testing

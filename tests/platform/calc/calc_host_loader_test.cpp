#include "platform/calc/calc_host_loader.h"

#include <gtest/gtest.h>

#include "tests/scoped_environment.h"
#include "tests/temp_folder.h"

namespace zelanto::platform::calc {
namespace {

namespace fs = std::filesystem;
using testing::ScopedEnvironment;
using testing::TempFolder;

TEST(CalcHostLoader, WithoutTheModuleThereIsNoCalcHost) {
    TempFolder folder;
    EXPECT_EQ(loadCalcHost(folder.path(), {}), nullptr);
    testing::writeBytes(folder / kCalcHostModule, "not a module");
    EXPECT_EQ(loadCalcHost(folder.path(), {}), nullptr);
}

#ifdef ZELANTO_CALC_MODULE_DIR
// The host starts no LibreOffice before its first application, so a stand-in soffice will do.
TEST(CalcHostLoader, TheModuleGivesAHostWhereSofficeIsOnThePathOnly) {
    TempFolder folder;
    fs::create_directories(folder / "bin");
    testing::writeBytes(folder / "bin" / "soffice", "#!/bin/sh\n");
    fs::permissions(folder / "bin" / "soffice", fs::perms::owner_all);
    testing::writeBytes(folder / "bin" / "libsclo.so", "");
    const ScopedEnvironment cache("XDG_CACHE_HOME", folder.path().string());
    {
        const ScopedEnvironment path("PATH", (folder / "bin").string());
        EXPECT_NE(loadCalcHost(ZELANTO_CALC_MODULE_DIR, {}), nullptr);
    }
    const ScopedEnvironment path("PATH", "/nonexistent");
    EXPECT_EQ(loadCalcHost(ZELANTO_CALC_MODULE_DIR, {}), nullptr);
}
#endif

}  // namespace
}  // namespace zelanto::platform::calc

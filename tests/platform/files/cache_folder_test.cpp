#include "platform/files/cache_folder.h"

#include <gtest/gtest.h>

#include "platform/files/atomic_file.h"
#include "tests/scoped_environment.h"

namespace zelanto::platform {
namespace {

using testing::ScopedEnvironment;

TEST(CacheFolder, TakesXdgCacheHomeElseTheHomeFolder) {
    ScopedEnvironment home("HOME", "/home/surveyor");
    {
        ScopedEnvironment cache("XDG_CACHE_HOME", "/var/cache/surveyor");
        EXPECT_EQ(zelantoCacheFolder(), "/var/cache/surveyor/zelanto");
    }
    for (const std::optional<std::string>& ignored :
         {std::optional<std::string>(), {""}, {"rel"}}) {
        ScopedEnvironment cache("XDG_CACHE_HOME", ignored);
        EXPECT_EQ(zelantoCacheFolder(), "/home/surveyor/.cache/zelanto");
    }
}

TEST(CacheFolder, WithoutEitherVariableThereIsNone) {
    ScopedEnvironment home("HOME", std::nullopt);
    ScopedEnvironment cache("XDG_CACHE_HOME", std::nullopt);
    EXPECT_THROW(zelantoCacheFolder(), FileError);
}

}  // namespace
}  // namespace zelanto::platform

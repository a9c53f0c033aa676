#include "platform/files/cache_folder.h"

#include "platform/files/user_folders.h"

namespace zelanto::platform {

std::filesystem::path zelantoCacheFolder() {
    return zelantoUserFolder("XDG_CACHE_HOME", ".cache");
}

}  // namespace zelanto::platform

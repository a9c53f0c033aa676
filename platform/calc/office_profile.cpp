#include "platform/calc/office_profile.h"

#include <cstdio>

#include "base/atomic_file.h"

namespace zelanto::platform::calc {
namespace {

// LibreOffice keeps the settings of a profile in this file, and takes only what differs from its
// defaults from it.
constexpr const char* kSettingsFile = "user/registrymodifications.xcu";

std::string item(const char* path, const char* name, const char* value) {
    return std::string("<item oor:path=\"") + path + "\"><prop oor:name=\"" + name +
           "\" oor:op=\"fuse\"><value>" + value + "</value></prop></item>\n";
}

std::string settings() {
    // Far in the future: the get-involved and donate bars wait months after the time shown last.
    constexpr const char* kNever = "4102444800";
    return std::string(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
               "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
               "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n") +
           item("/org.openoffice.Office.Common/Misc", "FirstRun", "false") +
           item("/org.openoffice.Office.Common/Misc", "ShowTipOfTheDay", "false") +
           item("/org.openoffice.Setup/Office", "ooSetupInstCompleted", "true") +
           // A version above every real one: no "what's new" after an update.
           item("/org.openoffice.Setup/Product", "ooSetupLastVersion", "99.0") +
           item("/org.openoffice.Setup/Product", "LastTimeGetInvolvedShown", kNever) +
           item("/org.openoffice.Setup/Product", "LastTimeDonateShown", kNever) + "</oor:items>\n";
}

bool isUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/';
}

}  // namespace

void seedOfficeProfile(const std::filesystem::path& profile) {
    const auto file = profile / kSettingsFile;
    if (std::filesystem::exists(file)) {
        return;
    }
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (error) {
        throw base::FileError(file.parent_path(), error.message());
    }
    base::writeFileAtomically(file, settings());
}

std::string fileUrl(const std::filesystem::path& path) {
    std::string url = "file://";
    for (const unsigned char c : path.string()) {
        if (isUnreserved(c)) {
            url += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            url += escaped;
        }
    }
    return url;
}

}  // namespace zelanto::platform::calc

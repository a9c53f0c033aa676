#pragma once

// Our own LibreOffice instance: where LibreOffice is installed, the profile we give it, and how it
// is started.

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zelanto::platform::calc {

// How we start and reach our LibreOffice instance.
struct OfficeSettings {
    // soffice in LibreOffice's program folder.
    std::filesystem::path program;
    // The folder of our own user profile, never the user's own: an invisible instance started
    // with the user's profile would take in the user's later starts of LibreOffice.
    std::filesystem::path profile;
    // Where there is no display: LibreOffice then holds documents but can show none.
    bool headless = false;
    // How long a call may take before the connection is cut.
    std::chrono::milliseconds callLimit{5000};
    // Loading a new document, and starting LibreOffice, take longer.
    std::chrono::milliseconds documentLimit{20000};
    std::chrono::milliseconds startLimit{60000};
    // Runs on the waiting thread while a call takes long.
    std::function<void()> whileWaiting;
};

// soffice in LibreOffice's program folder: `soffice` found on `searchPath` (the PATH's form),
// with its links resolved, in a folder that also holds Calc. Nothing when LibreOffice Calc is not
// installed.
std::optional<std::filesystem::path> findOffice(const std::string& searchPath);

// A pipe name that no instance accepts on yet.
std::string uniquePipeName();

// The arguments that start our instance (or, when it runs already, have it accept on `pipe` too)
// with our own profile, invisible, without restoring documents, splash or a start document.
std::vector<std::string> officeArguments(const OfficeSettings& settings, const std::string& pipe);

// Starts soffice with those arguments in a session of its own, so that it outlives the program
// and no signal to the program's process group reaches it. A HostError when it cannot start.
void startOffice(const OfficeSettings& settings, const std::string& pipe);

// Prepares our LibreOffice profile before its first start, so that LibreOffice shows no dialog or
// bar of its own first start (tip of the day, what's new, get involved, donate) over the sheet.
// A profile that LibreOffice has already used is left as it is.
void seedOfficeProfile(const std::filesystem::path& profile);

// The file URL of an absolute path, with every byte outside the unreserved characters and "/"
// percent-encoded, as LibreOffice takes it for -env:UserInstallation.
std::string fileUrl(const std::filesystem::path& path);

}  // namespace zelanto::platform::calc

#include "platform/calc/office_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <sstream>
#include <thread>

#include "base/atomic_file.h"
#include "platform/sheet/spreadsheet_host.h"

extern char** environ;

namespace zelanto::platform::calc {
namespace {

// Calc's own library in LibreOffice's program folder: LibreOffice may be installed without it.
constexpr const char* kCalcLibrary = "libsclo.so";

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

std::optional<std::filesystem::path> findOffice(const std::string& searchPath) {
    std::istringstream folders(searchPath);
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        // An empty entry of the PATH is the current folder.
        const auto candidate = std::filesystem::path(folder.empty() ? "." : folder) / "soffice";
        if (::access(candidate.c_str(), X_OK) == 0) {
            // soffice on the PATH is commonly a link into LibreOffice's program folder, where the
            // rest of LibreOffice is.
            std::error_code error;
            auto resolved = std::filesystem::canonical(candidate, error);
            if (!error && std::filesystem::exists(resolved.parent_path() / kCalcLibrary)) {
                return resolved;
            }
        }
    }
    return std::nullopt;
}

std::string uniquePipeName() {
    std::random_device random;
    std::ostringstream name;
    name << "zelanto-" << ::getpid() << '-' << std::hex << random() << random();
    return name.str();
}

std::vector<std::string> officeArguments(const OfficeSettings& settings, const std::string& pipe) {
    std::vector<std::string> arguments{
        settings.program.string(),
        "-env:UserInstallation=" + fileUrl(settings.profile),
        "--invisible",
        "--norestore",
        "--nologo",
        "--nodefault",
        "--accept=pipe,name=" + pipe + ";urp;StarOffice.ComponentContext",
    };
    if (settings.headless) {
        arguments.push_back("--headless");
    }
    return arguments;
}

void startOffice(const OfficeSettings& settings, const std::string& pipe) {
    std::vector<std::string> arguments = officeArguments(settings, pipe);
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    // It keeps none of the program's files open, so that no one waits for it on a pipe.
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    for (const int descriptor : {0, 1, 2}) {
        posix_spawn_file_actions_addopen(&files, descriptor, "/dev/null", O_RDWR, 0);
    }
    posix_spawn_file_actions_addclosefrom_np(&files, 3);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, argv[0], &files, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        throw HostError("cannot start " + settings.program.string() + ": " + std::strerror(error));
    }
    // soffice ends at once when it hands the pipe to a running instance, or much later; either
    // way it is collected, and the program does not wait for it.
    std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
}

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

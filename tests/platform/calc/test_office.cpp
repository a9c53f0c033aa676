#include "tests/platform/calc/test_office.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

#include "platform/calc/office_process.h"
#include "tests/platform/cad_driver/x11/wait_until.h"

namespace zelanto::testing {
namespace {

namespace fs = std::filesystem;

// The programs LibreOffice runs as: its launcher and the office itself.
constexpr const char* kOfficePrograms[] = {"oosplash", "soffice.bin"};

std::string fileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every process's parent, from /proc/<pid>/stat: "pid (name) state ppid ...", where the name may
// hold blanks and parentheses of its own.
std::multimap<pid_t, pid_t> childrenByParent() {
    std::multimap<pid_t, pid_t> children;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        const std::string stat = fileText(entry.path() / "stat");
        const auto nameEnd = stat.rfind(')');
        if (nameEnd == std::string::npos) {
            continue;  // gone meanwhile
        }
        const pid_t parent = std::atoi(stat.c_str() + stat.find(' ', nameEnd + 2) + 1);
        children.emplace(parent, static_cast<pid_t>(std::stol(name)));
    }
    return children;
}

std::vector<pid_t> descendants() {
    const auto children = childrenByParent();
    std::vector<pid_t> found;
    std::vector<pid_t> parents{getpid()};
    while (!parents.empty()) {
        const pid_t parent = parents.back();
        parents.pop_back();
        const auto [first, last] = children.equal_range(parent);
        for (auto child = first; child != last; ++child) {
            found.push_back(child->second);
            parents.push_back(child->second);
        }
    }
    return found;
}

bool runsOffice(pid_t pid, const std::string& profileUrl) {
    std::error_code error;
    const auto program = fs::read_symlink("/proc/" + std::to_string(pid) + "/exe", error);
    bool office = false;
    for (const char* name : kOfficePrograms) {
        office = office || program.filename() == name;
    }
    return office && fileText("/proc/" + std::to_string(pid) + "/cmdline").find(profileUrl) !=
                         std::string::npos;
}

// Gone, or ended and waiting to be collected (collected here when it is a child of ours).
bool hasEnded(pid_t pid) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) {
        return true;
    }
    const std::string stat = fileText("/proc/" + std::to_string(pid) + "/stat");
    const auto nameEnd = stat.rfind(')');
    return nameEnd == std::string::npos || stat.compare(nameEnd + 2, 1, "Z") == 0;
}

}  // namespace

std::optional<platform::calc::OfficeSettings> testOfficeSettings(const fs::path& profile,
                                                                 bool headless) {
    const char* path = std::getenv("PATH");
    const auto program = platform::calc::findOffice(path != nullptr ? path : "");
    if (!program) {
        return std::nullopt;
    }
    platform::calc::OfficeSettings settings;
    settings.program = *program;
    settings.profile = profile;
    settings.headless = headless;
    // The watchdog's time, short enough for the tests of a frozen instance.
    settings.callLimit = std::chrono::seconds(3);
    return settings;
}

void adoptOrphanedDescendants() {
    prctl(PR_SET_CHILD_SUBREAPER, 1);
}

std::vector<pid_t> officeProcesses(const fs::path& profile) {
    const std::string marker = platform::calc::fileUrl(profile);
    std::vector<pid_t> found;
    for (const pid_t pid : descendants()) {
        if (runsOffice(pid, marker)) {
            found.push_back(pid);
        }
    }
    return found;
}

void endOffice(const fs::path& profile) {
    const auto processes = officeProcesses(profile);
    for (const pid_t pid : processes) {
        kill(pid, SIGKILL);
    }
    for (const pid_t pid : processes) {
        waitUntil([pid] { return hasEnded(pid); });
    }
}

}  // namespace zelanto::testing

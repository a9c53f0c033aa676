#include "platform/cad_driver/process_tree.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>

namespace zelanto::platform {
namespace {

// The parent of a process from /proc/PID/stat: "pid (name) state ppid …", where the name may
// hold blanks and parentheses, so the fields are counted from the last ")".
std::optional<pid_t> parentOf(const std::filesystem::path& statFile) {
    std::ifstream in(statFile);
    std::string stat;
    std::getline(in, stat);
    const auto nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos || nameEnd + 4 >= stat.size()) {
        return std::nullopt;
    }
    const auto fields = stat.find(' ', nameEnd + 4);  // the parent follows ") S "
    pid_t parent = 0;
    const char* first = stat.data() + nameEnd + 4;
    const char* last =
        fields == std::string::npos ? stat.data() + stat.size() : stat.data() + fields;
    if (std::from_chars(first, last, parent).ec != std::errc()) {
        return std::nullopt;
    }
    return parent;
}

std::vector<std::pair<pid_t, pid_t>> parentLinks() {
    std::vector<std::pair<pid_t, pid_t>> links;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        pid_t pid = 0;
        if (std::from_chars(name.data(), name.data() + name.size(), pid).ec != std::errc()) {
            continue;
        }
        if (const auto parent = parentOf(entry.path() / "stat")) {
            links.emplace_back(pid, *parent);
        }
    }
    return links;
}

}  // namespace

std::vector<pid_t> processTree(pid_t root) {
    const auto links = parentLinks();
    std::vector<pid_t> tree{root};
    for (std::size_t next = 0; next < tree.size(); ++next) {
        for (const auto& [pid, parent] : links) {
            if (parent == tree[next] && std::find(tree.begin(), tree.end(), pid) == tree.end()) {
                tree.push_back(pid);
            }
        }
    }
    return tree;
}

}  // namespace zelanto::platform

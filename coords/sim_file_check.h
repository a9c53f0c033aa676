#pragma once

#include <filesystem>
#include <optional>

namespace zelanto::coords {

// The check the import and the merge make on a chosen path: an ordinary file is there and its
// name ends in exactly "sim" or "SIM" (so "Sim" is refused, and so is an empty path).
bool passesSimFileCheck(const std::filesystem::path& path);

// Why a path fails that check.
enum class SimFileRefusal {
    NoFile,       // no ordinary file is there (nothing, a folder, a hidden file, an empty path)
    NotNamedSim,  // its name does not end in "sim" or "SIM"
};

// Why `path` fails the check; nothing when it passes.
std::optional<SimFileRefusal> simFileRefusal(const std::filesystem::path& path);

}  // namespace zelanto::coords

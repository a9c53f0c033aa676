#pragma once

#include <filesystem>

namespace zelanto::coords {

// The check the import and the merge make on a chosen path: an ordinary file is there and its
// name ends in exactly "sim" or "SIM" (so "Sim" is refused, and so is an empty path).
bool passesSimFileCheck(const std::filesystem::path& path);

}  // namespace zelanto::coords

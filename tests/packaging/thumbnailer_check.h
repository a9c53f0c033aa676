#pragma once

#include <filesystem>

namespace zelanto::testing {

// Uses the thumbnailer entry `entry` as a file manager does, with its programs installed in
// `bin`, and checks what it gives: for a SIM file, at each size file managers ask for, a square
// PNG of that size with ink where the points are and nothing else; for a file that does not
// read, no thumbnail and a non-zero exit.
void expectThumbnailerDrawsSimFiles(const std::filesystem::path& entry,
                                    const std::filesystem::path& bin);

}  // namespace zelanto::testing

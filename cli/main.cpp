#include <malloc.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "cli/cli_arguments.h"
#include "cli/commands.h"

namespace {

using namespace zelanto::cli;

constexpr int kHeapBlocksUpTo = 32 << 20;

// `name` beside this program (the build tree), else in the program's private folder below the
// prefix it is installed in; an empty path when neither is there.
std::filesystem::path commandProgram(const char* name) {
    std::error_code error;
    const auto folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    for (const auto& candidate :
         {folder / name, folder.parent_path() / ZELANTO_INSTALL_MODULE_DIR / name}) {
        if (zelanto::base::isExecutableProgram(candidate)) {
            return candidate;
        }
    }
    return {};
}

// Runs the command in the program `name`, which takes the process over; returns only on failure.
int runCommandProgram(const char* name, char** argv) {
    const std::filesystem::path program = commandProgram(name);
    if (!program.empty()) {
        execv(program.c_str(), argv);
    }
    std::cerr << "zelanto-cli: " << argv[1] << " を実行できません（" << name << ": "
              << (program.empty() ? std::string("見つかりません") : std::strerror(errno)) << "）\n";
    return kWriteFailure;
}

int runCommand(const Command& command) {
    if (const auto* import = std::get_if<ImportArguments>(&command)) {
        return runImport(*import, std::cout, std::cerr);
    }
    if (const auto* merge = std::get_if<MergeArguments>(&command)) {
        return runMerge(*merge, std::cout, std::cerr);
    }
    if (const auto* parcels = std::get_if<ParcelsArguments>(&command)) {
        return runParcels(*parcels, std::cout, std::cerr);
    }
    std::cout << usageText();
    return kSuccess;
}

}  // namespace

int main(int argc, char** argv) {
    // Large blocks from the heap, kept there when freed: the import's buffers grow step by step,
    // and every fresh page from the kernel costs more than the block it replaces.
    mallopt(M_MMAP_THRESHOLD, kHeapBlocksUpTo);
    mallopt(M_TRIM_THRESHOLD, 2 * kHeapBlocksUpTo);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (const char* program = arguments.empty() ? nullptr : programOfCommand(arguments.front())) {
        return runCommandProgram(program, argv);
    }
    try {
        return runCommand(parseArguments(arguments));
    } catch (const UsageError& error) {
        std::cerr << "zelanto-cli: " << error.what() << "\n\n" << usageText();
        return kUsage;
    }
}

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/commands.h"

int main(int argc, char** argv) {
    using namespace zelanto::cli;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    try {
        const Command command = parseArguments(arguments);
        if (const auto* import = std::get_if<ImportArguments>(&command)) {
            return runImport(*import, std::cout, std::cerr);
        }
        if (const auto* merge = std::get_if<MergeArguments>(&command)) {
            return runMerge(*merge, std::cout, std::cerr);
        }
        if (const auto* parcels = std::get_if<ParcelsArguments>(&command)) {
            return runParcels(*parcels, std::cout, std::cerr);
        }
        if (const auto* exported = std::get_if<ExportArguments>(&command)) {
            return runExport(*exported, std::cout, std::cerr);
        }
        if (const auto* tosim = std::get_if<TosimArguments>(&command)) {
            return runTosim(*tosim, std::cout, std::cerr);
        }
        if (const auto* preview = std::get_if<PreviewArguments>(&command)) {
            return runPreview(*preview, std::cout, std::cerr);
        }
        std::cout << usageText();
        return kSuccess;
    } catch (const UsageError& error) {
        std::cerr << "zelanto-cli: " << error.what() << "\n\n" << usageText();
        return kUsage;
    }
}

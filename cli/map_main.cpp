// zelanto-map: the map commands of zelanto-cli, which hands them over with its own arguments.
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/map_commands.h"

int main(int argc, char** argv) {
    using namespace zelanto::cli;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    try {
        const MapCommand command = parseMapArguments(arguments);
        if (const auto* exported = std::get_if<ExportArguments>(&command)) {
            return runExport(*exported, std::cout, std::cerr);
        }
        if (const auto* tosim = std::get_if<TosimArguments>(&command)) {
            return runTosim(*tosim, std::cout, std::cerr);
        }
        std::cout << usageText();
        return kSuccess;
    } catch (const UsageError& error) {
        std::cerr << "zelanto-cli: " << error.what() << "\n\n" << usageText();
        return kUsage;
    }
}

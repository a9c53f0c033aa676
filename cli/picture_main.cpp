// zelanto-picture: the preview of zelanto-cli, which hands it over with its own arguments.
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

int main(int argc, char** argv) {
    using namespace zelanto::cli;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    try {
        const Command command = parseArguments(arguments);
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

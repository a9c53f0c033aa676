#include "app/services.h"

#include <unistd.h>
#include <QApplication>

#include "app/form1_texts.h"
#include "app/window_layout.h"
#include "base/atomic_file.h"
#include "base/file_system.h"
#include "platform/qt/path_text.h"
#include "settings/ini_store.h"

namespace zelanto::app {
namespace {

constexpr const char* kHelpFileName = "zelanto.CHM";

// Below an installation's prefix (the build defines both, and installs there).
constexpr const char* kInstalledModuleFolder = ZELANTO_INSTALL_MODULE_DIR;
constexpr const char* kInstalledDataFolder = ZELANTO_INSTALL_DATA_DIR;

bool isInstalled(const std::filesystem::path& executableFolder) {
    std::error_code error;
    return executableFolder.filename() == "bin" &&
           std::filesystem::is_directory(executableFolder.parent_path() / kInstalledDataFolder,
                                         error);
}

bool mayBeWritten(const std::filesystem::path& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

}  // namespace

OutputFolder OutputFolder::programFolder(std::filesystem::path folder) {
    return OutputFolder(std::move(folder), false);
}

OutputFolder OutputFolder::userFolder(std::filesystem::path folder) {
    return OutputFolder(std::move(folder), true);
}

void OutputFolder::prepare() const noexcept {
    if (!isUserFolder_) {
        return;
    }
    try {
        base::makeUserFolder(path_);
    } catch (const std::exception&) {
        // The write into it fails and says so.
    }
}

std::filesystem::path ProgramFiles::settingsFile() const {
    return settings::settingsFileIn(settingsFolder.path());
}

ProgramFiles filesBeside(const std::filesystem::path& folder) {
    return {folder, folder / kHelpFileName, OutputFolder::programFolder(folder),
            OutputFolder::programFolder(folder)};
}

ProgramFiles locateProgramFiles(const std::filesystem::path& executableFolder) {
    ProgramFiles files = filesBeside(executableFolder);
    const bool installed = isInstalled(executableFolder);
    if (installed) {
        const auto prefix = executableFolder.parent_path();
        files.moduleFolder = prefix / kInstalledModuleFolder;
        files.helpFile = prefix / kInstalledDataFolder / kHelpFileName;
    }
    if (installed || !mayBeWritten(executableFolder)) {
        try {
            auto config = base::zelantoConfigFolder();
            auto data = base::zelantoDataFolder();
            files.settingsFolder = OutputFolder::userFolder(std::move(config));
            files.dataFolder = OutputFolder::userFolder(std::move(data));
        } catch (const base::FileError&) {
            // No home to write into: the program folder it is, and its writes report failures.
        }
    }
    return files;
}

platform::Opener sheetOpener(platform::DesktopOpener& opener, platform::Prompts& prompts) {
    return [&opener, &prompts](const std::filesystem::path& file) {
        if (!opener.open(file)) {
            prompts.message(QApplication::activeWindow(),
                            text(texts::kSheetNotOpened) + "\r\n" + platform::textOf(file),
                            text(texts::kTitle));
        }
    };
}

}  // namespace zelanto::app

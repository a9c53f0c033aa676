#pragma once

// What the main window is given: the programs outside it that it talks to, and where its files
// are.

#include <filesystem>
#include <string_view>

#include "app/module1.h"
#include "platform/cad_driver/cad_driver.h"
#include "platform/embedded/embedded_host.h"
#include "platform/qt/desktop_opener.h"
#include "platform/qt/prompts.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::app {

// A folder the program writes its files into: the program folder, used as it is (a missing one
// fails the write as it always has), or a folder of the user's, made when first needed.
class OutputFolder {
public:
    static OutputFolder programFolder(std::filesystem::path folder);
    static OutputFolder userFolder(std::filesystem::path folder);

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path file(std::string_view name) const { return path_ / name; }
    bool isUserFolder() const { return isUserFolder_; }

    // Makes a missing user folder before a file is written into it. A folder that cannot be made
    // is left to the write, which then reports its own failure.
    void prepare() const noexcept;

private:
    OutputFolder(std::filesystem::path folder, bool isUserFolder)
        : path_(std::move(folder)), isUserFolder_(isUserFolder) {}

    std::filesystem::path path_;
    bool isUserFolder_;
};

// Where the window finds the files it reads and puts the files it writes.
struct ProgramFiles {
    // The folder of the Calc module and the help file, which the program only reads.
    std::filesystem::path moduleFolder;
    std::filesystem::path helpFile;
    // The folder of the settings file, and that of the merged SIM file and the plot's files.
    OutputFolder settingsFolder;
    OutputFolder dataFolder;

    std::filesystem::path settingsFile() const;
};

// The portable way: everything in `folder`.
ProgramFiles filesBeside(const std::filesystem::path& folder);

// The files of the program whose executable lies in `executableFolder`. Installed (the folder
// is a "bin" with "share/zelanto" beside it, as under /usr), the module and the help come from
// the library folder the build installs into ("lib/x86_64-linux-gnu/zelanto" on Debian) and from
// "share/zelanto" there. Installed, or where the program folder may not be
// written, the settings go to the user's config folder and the written files to the user's data
// folder; otherwise everything stays in the program folder.
ProgramFiles locateProgramFiles(const std::filesystem::path& executableFolder);

// What the main window is given: everything outside the program that it talks to, and the
// functions it shares with the splash window.
struct Services {
    platform::Prompts& prompts;
    const Module1& module1;
    platform::SpreadsheetHost& host;
    platform::CadDriver& cad;
    platform::DesktopOpener& opener;
    // Where the help and the settings are, and where the written files go.
    ProgramFiles files;
};

// How a shown workbook reaches the user: its .xlsx file is opened with the desktop's application
// for it; when there is none, or it fails to start, the user is told where the file is.
platform::Opener sheetOpener(platform::DesktopOpener& opener, platform::Prompts& prompts);

}  // namespace zelanto::app

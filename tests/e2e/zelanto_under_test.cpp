#include "tests/e2e/zelanto_under_test.h"

namespace zelanto::testing {

namespace fs = std::filesystem;

ZelantoUnderTest::ZelantoUnderTest() {
    fs::create_directories(programFolder());
    install(ZELANTO_BINARY, "zelanto");
    fs::create_directories(folder() / "runtime");
    fs::create_directories(folder() / "home");
    fs::permissions(folder() / "runtime", fs::perms::owner_all);
    fs::create_directories(folder() / "bin");
    writeBytes(folder() / "bin" / "xdg-open",
               "#!/bin/sh\necho \"$1\" >> '" + (folder() / "opened").string() + "'\n");
    fs::permissions(folder() / "bin" / "xdg-open", fs::perms::owner_all);
}

fs::path ZelantoUnderTest::install(const fs::path& file, const std::string& name) {
    fs::copy_file(file, programFolder() / name, fs::copy_options::overwrite_existing);
    return programFolder() / name;
}

void ZelantoUnderTest::setCadPath(const fs::path& cad) {
    // The settings file as the Windows functions write it: CP932 section name, CR LF.
    writeBytes(programFolder() / "zelanto.ini",
               "[ZELANTO\x90\xdd\x92\xe8]\r\nROOT=" + cad.string() + "\r\n");
}

fs::path ZelantoUnderTest::writeFile(const std::string& name, const std::string& bytes) {
    writeBytes(folder() / name, bytes);
    return folder() / name;
}

std::unique_ptr<ChildProcess> ZelantoUnderTest::start(
    const std::string& pathTail, const std::vector<std::string>& environment) const {
    std::vector<std::string> variables = environment;
    variables.insert(variables.end(),
                     std::initializer_list<std::string>{
                         "HOME=" + (folder() / "home").string(),
                         "XDG_CONFIG_HOME=" + (folder() / "home" / ".config").string(),
                         "XDG_RUNTIME_DIR=" + (folder() / "runtime").string(),
                         "XDG_CACHE_HOME=" + (folder() / "cache").string(),
                         "PATH=" + (folder() / "bin").string() + pathTail,
                         "FAKECAD_LOG=" + (folder() / "fakecad.log").string(),
                         "QT_QPA_PLATFORM=xcb", "LANG=C.UTF-8",
                         // X libraries keep a few allocations to the end; not ours.
                         "ASAN_OPTIONS=detect_leaks=0"});
    return std::make_unique<ChildProcess>((programFolder() / "zelanto").string(),
                                          std::vector<std::string>{}, variables);
}

void chooseFile(DesktopDriver& driver, const fs::path& file) {
    const std::string dialog = driver.waitForWindow("SIMファイルを開く");
    ASSERT_FALSE(dialog.empty());
    driver.activate(dialog);
    driver.type(file.string());
    driver.key("Return");
    ASSERT_TRUE(driver.windowGone(dialog));
}

}  // namespace zelanto::testing

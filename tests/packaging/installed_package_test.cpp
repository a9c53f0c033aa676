// The Debian package that scripts/package built, installed on this machine with dpkg, used as a
// user would use it, and removed again. It installs into the real /usr, so it runs only as root
// and only when scripts/test names a package (ZELANTO_PACKAGE), never over a zelanto package that
// it did not install, and it removes the package again whatever happens: the suite's end does,
// and a ctest clean-up step after it catches even a crash.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "tests/e2e/child_process.h"
#include "tests/e2e/desktop_driver.h"
#include "tests/e2e/zelanto_under_test.h"
#include "tests/packaging/thumbnailer_check.h"
#include "tests/platform/cad_driver/x11/test_window.h"
#include "tests/platform/cad_driver/x11/virtual_display.h"
#include "tests/platform/cad_driver/x11/wait_until.h"
#include "tests/temp_folder.h"

namespace zelanto::testing {
namespace {

namespace fs = std::filesystem;

// Where the package puts the Calc module.
const std::string kModuleFolder = "/usr/" ZELANTO_INSTALL_MODULE_DIR;
const std::string kModule = kModuleFolder + "/libzelanto_calc_host.so";

// Every file the package holds.
const std::set<std::string> kPackageFiles = {
    "/usr/bin/zelanto",
    "/usr/bin/zelanto-cli",
    kModule,
    kModuleFolder + "/zelanto-map",
    kModuleFolder + "/zelanto-picture",
    "/usr/share/zelanto/zelanto.CHM",
    "/usr/share/applications/" ZELANTO_APP_ID ".desktop",
    "/usr/share/mime/packages/zelanto.xml",
    "/usr/share/metainfo/" ZELANTO_APP_ID ".metainfo.xml",
    "/usr/share/thumbnailers/zelanto.thumbnailer",
    "/usr/share/icons/hicolor/16x16/apps/zelanto.png",
    "/usr/share/icons/hicolor/22x22/apps/zelanto.png",
    "/usr/share/icons/hicolor/24x24/apps/zelanto.png",
    "/usr/share/icons/hicolor/32x32/apps/zelanto.png",
    "/usr/share/icons/hicolor/48x48/apps/zelanto.png",
    "/usr/share/icons/hicolor/64x64/apps/zelanto.png",
    "/usr/share/icons/hicolor/128x128/apps/zelanto.png",
    "/usr/share/icons/hicolor/256x256/apps/zelanto.png",
    "/usr/share/man/man1/zelanto.1.gz",
    "/usr/share/man/man1/zelanto-cli.1.gz",
    "/usr/share/doc/zelanto/README.md",
    "/usr/share/doc/zelanto/copyright",
    "/usr/share/doc/zelanto/changelog.gz",
    "/usr/share/lintian/overrides/zelanto",
};

// The package's own folders, which go with it.
const std::set<std::string> kPackageFolders = {kModuleFolder, "/usr/share/zelanto",
                                               "/usr/share/doc/zelanto"};

// Where the shared MIME database keeps the type once the package's trigger has run.
constexpr const char* kInstalledType = "/usr/share/mime/application/x-sima.xml";

const std::string kPoints =
    "G00,01,test,\r\nA00,\r\nA01,1,A1,100,200,1,\r\nA01,2,\x93\x5f\x32,-50.5,12.25,2,\r\nA99,\r\n";

std::string shellQuoted(const std::string& text) {
    return "'" + text + "'";
}

bool packageInstalled() {
    return runShell("dpkg-query -W -f='${Status}' zelanto 2>/dev/null").output.find("installed") !=
           std::string::npos;
}

// The paths of the files (not the folders) that `dpkg-deb --contents` lists.
std::set<std::string> filesIn(const std::string& package) {
    std::set<std::string> files;
    std::istringstream lines(runShell("dpkg-deb --contents " + shellQuoted(package)).output);
    for (std::string line; std::getline(lines, line);) {
        const std::string path = line.substr(line.rfind(' ') + 1);
        if (line.starts_with("-") && path.starts_with("./")) {
            files.insert(path.substr(1));
        }
    }
    return files;
}

class InstalledPackage : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const char* package = std::getenv("ZELANTO_PACKAGE");
        if (::geteuid() != 0) {
            notRun_ = "installing a package into /usr needs root";
        } else if (package == nullptr || *package == '\0') {
            notRun_ =
                "no package to test: scripts/test builds one with scripts/package and names "
                "it in ZELANTO_PACKAGE";
        } else if (packageInstalled()) {
            refused_ =
                "a zelanto package is installed that this test did not install; remove it "
                "(dpkg --purge zelanto) before running this test";
        } else {
            package_ = package;
            const ShellResult install = runShell("dpkg -i " + shellQuoted(package_) + " 2>&1");
            installedByUs_ = packageInstalled();
            if (installedByUs_) {
                writeBytes(ZELANTO_INSTALL_MARKER, package_);
            }
            installOutput_ = install.output;
        }
    }

    static void TearDownTestSuite() {
        if (installedByUs_) {
            purge();
        }
    }

    static ShellResult purge() {
        const ShellResult removal = runShell("dpkg --purge zelanto 2>&1");
        installedByUs_ = packageInstalled();
        if (!installedByUs_) {
            fs::remove(ZELANTO_INSTALL_MARKER);
        }
        return removal;
    }

    void SetUp() override {
        if (!notRun_.empty()) {
            GTEST_SKIP() << notRun_;
        }
        ASSERT_TRUE(refused_.empty()) << refused_;
        ASSERT_TRUE(installedByUs_) << "dpkg -i " << package_ << ":\n" << installOutput_;
    }

    static std::string field(const char* name) {
        return runShell("dpkg-deb -f " + shellQuoted(package_) + " " + name).output;
    }

    static inline std::string notRun_;
    static inline std::string refused_;
    static inline std::string package_;
    static inline std::string installOutput_;
    static inline bool installedByUs_ = false;
};

TEST_F(InstalledPackage, HoldsTheProgramWhereItLooksAndPassesLintian) {
    EXPECT_EQ(filesIn(package_), kPackageFiles);
    for (const auto& file : kPackageFiles) {
        EXPECT_TRUE(fs::is_regular_file(file)) << file;
    }
    EXPECT_TRUE(fs::is_regular_file(kInstalledType)) << "the MIME database knows the SIM type";
    // The module loads on its own on an installed system.
    EXPECT_EQ(runShell("ldd " + kModule + " | grep -c 'not found'").output, "0\n");

    const std::string depends = field("Depends");
    for (const char* library :
         {"libc6", "libqt6widgets6", "libqt6network6", "libxlsxwriter4", "libxdo3", "libuno-cppu3",
          "libgdal32", "libproj25", "libcairo2", "qt6-qpa-plugins"}) {
        EXPECT_NE(depends.find(library), std::string::npos) << library << " in " << depends;
    }
    EXPECT_EQ(depends.find("-dev"), std::string::npos) << depends;
    const std::string recommends = field("Recommends");
    for (const char* program : {"libreoffice-calc", "xchm", "librecad", "xdg-utils"}) {
        EXPECT_NE(recommends.find(program), std::string::npos) << program << " in " << recommends;
    }

    const ShellResult lintian =
        runShell("lintian --fail-on error " + shellQuoted(package_) + " 2>&1");
    EXPECT_EQ(lintian.status, 0) << lintian.output;
    EXPECT_EQ(lintian.output.find("E: "), std::string::npos) << lintian.output;
}

TEST_F(InstalledPackage, CommandLineToolImportsAndMergesAsTheBuiltOneDoes) {
    TempFolder folder;
    writeBytes(folder / "points.sim", kPoints);
    const std::string in = shellQuoted((folder / "points.sim").string());
    for (const auto& [cli, tag] : {std::pair{std::string("/usr/bin/zelanto-cli"), "installed"},
                                   {std::string(ZELANTO_CLI), "built"}}) {
        const std::string out = (folder / tag).string();
        EXPECT_EQ(
            runShell(cli + " import " + in + " --scale 1/250 --script " + out + ".scr").status, 0);
        EXPECT_EQ(runShell(cli + " merge " + in + " " + in + " --out " + out + ".sim").status, 0);
    }
    EXPECT_EQ(readBytes(folder / "installed.scr"), readBytes(folder / "built.scr"));
    EXPECT_EQ(readBytes(folder / "installed.sim"), readBytes(folder / "built.sim"));
    EXPECT_NE(readBytes(folder / "installed.sim").find("A01,4,"), std::string::npos);
}

TEST_F(InstalledPackage, ThumbnailerDrawsSimFilesAndTheSoftwareCentreEntryValidates) {
    expectThumbnailerDrawsSimFiles("/usr/share/thumbnailers/zelanto.thumbnailer", "/usr/bin");
    const ShellResult validation = runShell(
        "appstreamcli validate --no-net /usr/share/metainfo/" ZELANTO_APP_ID ".metainfo.xml 2>&1");
    EXPECT_EQ(validation.status, 0) << validation.output;
}

// The installed window under Xvfb with openbox, with a home of its own and no LibreOffice on its
// PATH (so that the sheet goes to an .xlsx, whose opening is recorded).
class InstalledWindow {
public:
    InstalledWindow() {
        fs::create_directories(folder / "bin");
        fs::create_directories(folder / "runtime");
        fs::permissions(folder / "runtime", fs::perms::owner_all);
        writeBytes(folder / "bin/xdg-open",
                   "#!/bin/sh\necho \"$1\" >> '" + (folder / "opened").string() + "'\n");
        fs::permissions(folder / "bin/xdg-open", fs::perms::owner_all);
    }
    // The CAD program it started is no child of the test: it ends by the id on its window.
    ~InstalledWindow() {
        if (cadWindow != None) {
            EXPECT_TRUE(endWindowOwner(display.connection(), cadWindow));
        }
    }

    std::unique_ptr<ChildProcess> start(std::vector<std::string> arguments,
                                        std::vector<std::string> environment = {}) {
        environment.insert(environment.end(),
                           {"HOME=" + home().string(), "XDG_CONFIG_HOME=", "XDG_DATA_HOME=",
                            "XDG_CACHE_HOME=", "XDG_RUNTIME_DIR=" + (folder / "runtime").string(),
                            "PATH=" + (folder / "bin").string(),
                            "FAKECAD_LOG=" + (folder / "fakecad.log").string(),
                            "QT_QPA_PLATFORM=xcb", "LANG=C.UTF-8", "ASAN_OPTIONS=detect_leaks=0"});
        return std::make_unique<ChildProcess>("/usr/bin/zelanto", arguments, environment);
    }
    fs::path home() const { return folder / "home"; }
    std::string opened() const { return readBytes(folder / "opened"); }

    // Answers the next message box titled `title` (not the main window) with `key`.
    void answer(const std::string& title, const std::string& mainWindow, const char* key) {
        ASSERT_TRUE(driver.answer(title, mainWindow, key)) << title;
    }

    TempFolder folder;
    VirtualDisplay display;
    WindowManager windowManager{display.connection()};
    DesktopDriver driver;
    Window cadWindow = None;
};

// The height of a window in pixels, as the X server has it.
int windowHeight(const std::string& window) {
    const std::string geometry = shellOutput("xdotool getwindowgeometry " + window);
    const auto size = geometry.find('x', geometry.find("Geometry: "));
    return size == std::string::npos ? 0 : std::atoi(geometry.c_str() + size + 1);
}

// Nothing the program writes lands beside it.
void expectNothingWrittenUnderUsr() {
    for (const char* name : {"orvik.sim", "orvik.scr", "zelanto.ini"}) {
        EXPECT_FALSE(fs::exists(fs::path("/usr/bin") / name)) << name;
        EXPECT_FALSE(fs::exists(fs::path(kModuleFolder) / name)) << name;
    }
}

TEST_F(InstalledPackage, WindowImportsTheFileOnItsCommandLineAndPlotsFromTheUsersFolders) {
    InstalledWindow w;
    // The CAD path, stored where the installed program keeps its settings.
    fs::create_directories(w.home() / ".config/zelanto");
    writeBytes(w.home() / ".config/zelanto/zelanto.ini",
               "[ZELANTO\x90\xdd\x92\xe8]\r\nROOT=" + std::string(ZELANTO_FAKECAD) + "\r\n");
    writeBytes(w.folder / "points.sim", kPoints);
    const auto program = w.start({(w.folder / "points.sim").string()});
    const std::string main = w.driver.waitForWindow("ZELANTO");
    ASSERT_FALSE(main.empty());
    ASSERT_TRUE(waitUntil([&] { return w.opened().find(".xlsx") != std::string::npos; },
                          std::chrono::seconds(20)));
    EXPECT_NE(w.opened().find((w.home() / ".cache/zelanto").string()), std::string::npos)
        << w.opened();

    w.driver.clickAt(main, kCombo1X, kCombo1Y);
    w.driver.clickAt(main, kCommand1X, kTopRowY);  // "Auto_CAD起動"
    ASSERT_EQ(w.driver.waitForWindow("縮尺を指定してプロットボタンを押す"), main);
    const std::string cadWindowId = w.driver.waitForWindow("AutoCAD.*");
    ASSERT_FALSE(cadWindowId.empty());
    w.cadWindow = std::stoul(cadWindowId);
    w.driver.activate(main);
    w.driver.clickAt(main, kCommand1X, kTopRowY);  // "プロット" at 1/500
    w.answer("ZELANTO", main, "Return");           // the notice
    ASSERT_EQ(program->waitForExit(std::chrono::seconds(30)), 0);

    const fs::path script = w.home() / ".local/share/zelanto/orvik.scr";
    EXPECT_NE(readBytes(script).find("point 200,400\r\npoint -101,24.5\r\n"), std::string::npos);
    EXPECT_EQ(fs::status(script.parent_path()).permissions(), fs::perms::owner_all);
    const auto log = w.folder / "fakecad.log";
    EXPECT_TRUE(waitUntil([&] { return fs::exists(log); }, std::chrono::seconds(10)));
    EXPECT_TRUE(waitUntil(
        [&] { return readBytes(log).ends_with("filedia 0 script " + script.string() + "\r"); },
        std::chrono::seconds(10)))
        << readBytes(log);
    expectNothingWrittenUnderUsr();
}

TEST_F(InstalledPackage, WindowMergesIntoTheDataHomeItIsGiven) {
    InstalledWindow w;
    writeBytes(w.folder / "a.sim", kPoints);
    writeBytes(w.folder / "b.SIM", "A01,7,P7,12.5,7.25,,\r\nA99,\r\n");
    const auto program = w.start({}, {"XDG_DATA_HOME=" + (w.folder / "data").string()});
    const std::string main = w.driver.waitForWindow("ZELANTO");
    ASSERT_FALSE(main.empty());
    for (const char* file : {"a.sim", "b.SIM"}) {
        w.driver.clickAt(main, kCommand2X, kTopRowY);
        chooseFile(w.driver, w.folder / file);
        w.answer("ZELANTO", main, *file == 'a' ? "Escape" : "Return");  // "これで終了しますか？"
    }
    w.answer("書き込み開始・・・", main, "Return");
    w.answer("ZELANTO", main, "Return");  // where the file went
    ASSERT_EQ(program->waitForExit(std::chrono::seconds(20)), 0);

    const std::string merged = readBytes(w.folder / "data/zelanto/orvik.sim");
    EXPECT_NE(merged.find("A01,1,A1,100,200,1,\r\nA01,2,\x93\x5f\x32,-50.5,12.25,2,\r\n"
                          "A01,3,P7,12.5,7.25,0,\r\nA99,\r\n"),
              std::string::npos)
        << merged;
    expectNothingWrittenUnderUsr();
}

TEST_F(InstalledPackage, WindowsHelpLinkOpensTheInstalledHelpFile) {
    InstalledWindow w;
    const auto program = w.start({});
    const std::string main = w.driver.waitForWindow("ZELANTO");
    ASSERT_FALSE(main.empty());
    w.driver.clickAt(main, 6480 + 495 / 2, kTopRowY);  // "▼"
    ASSERT_TRUE(waitUntil([&] { return windowHeight(main) > 4000 / 15; }));
    // "<ヘルプ？>" in the panel: the panel's place plus the link's place in it.
    w.driver.clickAt(main, 120 + 5040 + 1575 / 2, 720 + 2640 + 255 / 2);
    EXPECT_TRUE(waitUntil([&] { return w.opened().find("zelanto.CHM") != std::string::npos; },
                          std::chrono::seconds(20)));
    EXPECT_EQ(w.opened(), "file:///usr/share/zelanto/zelanto.CHM\n");
}

// Last, as its name says; the suite's end removes the package where this did not run.
TEST_F(InstalledPackage, RemovalLeavesNoFileOfThePackage) {
    const ShellResult removal = purge();
    ASSERT_FALSE(installedByUs_) << removal.output;
    for (const auto& path : kPackageFiles) {
        EXPECT_FALSE(fs::exists(path)) << path;
    }
    for (const auto& path : kPackageFolders) {
        EXPECT_FALSE(fs::exists(path)) << path;
    }
    EXPECT_FALSE(fs::exists(kInstalledType)) << "the SIM type left the MIME database";
    EXPECT_EQ(readBytes("/usr/share/applications/mimeinfo.cache").find("zelanto"),
              std::string::npos);
}

}  // namespace
}  // namespace zelanto::testing

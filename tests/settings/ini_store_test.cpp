#include "settings/ini_store.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/temp_folder.h"

namespace zelanto::settings {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

// The section line as the Windows functions write it: code page 932, CR LF.
const std::string kSectionLine = "[ZELANTO\x90\xDD\x92\xE8]\r\n";

std::string readKey(const std::string& key, const std::filesystem::path& file) {
    return GetIniString(kSettingsSection, key, file);
}

TEST(IniStore, MissingFileSectionOrKeyReadsNotFound) {
    TempFolder folder;
    const auto file = settingsFileIn(folder.path());
    EXPECT_EQ(readKey(kCadPathKey, file), kNotFound);
    EXPECT_EQ(readKey(kCadPathKey, folder.path()), kNotFound);

    writeBytes(file, kSectionLine + "OTHER=x\r\n[other]\r\nROOT=y\r\n");
    EXPECT_EQ(readKey(kCadPathKey, file), kNotFound);
    EXPECT_EQ(GetIniString("missing", "OTHER", file), kNotFound);
}

TEST(IniStore, ReadsEmptyLongAndCutValues) {
    TempFolder folder;
    const auto file = settingsFileIn(folder.path());
    const std::string nul(1, '\0');
    writeBytes(file, kSectionLine + "EMPTY=\r\n" +                             //
                         "LONG=" + std::string(300, 'x') + "\r\n" +            //
                         "SPLIT=" + std::string(253, 'x') + "\x83\x5Cz\r\n" +  //
                         "NUL=a" + nul + "b\r\n");
    EXPECT_EQ(readKey("EMPTY", file), "");
    EXPECT_EQ(readKey("LONG", file), std::string(254, 'x'));
    EXPECT_EQ(readKey("SPLIT", file), std::string(253, 'x'));  // ソ would end at byte 255
    EXPECT_EQ(readKey("NUL", file), "a");
}

TEST(IniStore, ReadsAFileWrittenByWindows) {
    TempFolder folder;
    const auto file = settingsFileIn(folder.path());
    writeBytes(file, kSectionLine + "ROOT=C:\\Program Files\\\x83\x5C\x83t\x83g\\acad.exe\r\n");
    EXPECT_EQ(readKey(kCadPathKey, file), "C:\\Program Files\\ソフト\\acad.exe");
}

TEST(IniStore, WriteCreatesTheFileAndAJapanesePathReadsBack) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "測量データ");
    const auto file = settingsFileIn(folder / "測量データ");
    const std::string path = (folder / "測量データ" / "ソフト" / "acad.exe").string();
    WriteValueString(kSettingsSection, kCadPathKey, path, file.string());
    const std::string ansiFolder =
        folder.path().string() + "/\x91\xAA\x97\xCA\x83\x66\x81\x5B\x83\x5E";
    EXPECT_EQ(readBytes(file),
              kSectionLine + "ROOT=" + ansiFolder + "/\x83\x5C\x83t\x83g/acad.exe\r\n");
    EXPECT_EQ(GetIniString(kSettingsSection, kCadPathKey, file.string()), path);
}

TEST(IniStore, WriteReplacesTheValueAndKeepsEveryOtherLine) {
    TempFolder folder;
    const auto file = settingsFileIn(folder.path());
    const std::string others = "; comment\n[other]\rROOT=other\r\n";
    writeBytes(file, others + kSectionLine + " root = \"old\" \r\n\x83\x41=\n\r\n[last]\rx");
    WriteValueString(kSettingsSection, kCadPathKey, "C:\\cad\\acad.exe", file);
    EXPECT_EQ(readBytes(file),
              others + kSectionLine + "root=C:\\cad\\acad.exe\r\n\x83\x41=\n\r\n[last]\rx");
}

TEST(IniStore, FailedWriteIsSilentAndLeavesTheOldFile) {
    TempFolder folder;
    WriteValueString(kSettingsSection, kCadPathKey, "x", folder / "missing" / "zelanto.ini");
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));

    std::filesystem::create_directory(folder / "zelanto.ini");
    WriteValueString(kSettingsSection, kCadPathKey, "x", folder / "zelanto.ini");
    EXPECT_TRUE(std::filesystem::is_empty(folder / "zelanto.ini"));

    // The temporary file written beside it would need a longer name than the file system allows.
    const auto longName = folder / std::string(250, 'n');
    writeBytes(longName, kSectionLine + "ROOT=old\r\n");
    WriteValueString(kSettingsSection, kCadPathKey, "new", longName);
    EXPECT_EQ(readBytes(longName), kSectionLine + "ROOT=old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
}

TEST(IniStore, ValueWithALineEndLeavesTheFileAsItWas) {
    TempFolder folder;
    const auto file = settingsFileIn(folder.path());
    const std::string before = kSectionLine + "ROOT=old\r\nOTHER=1\r\n";
    writeBytes(file, before);
    for (const std::string value : {"/cad\n[x]", "/cad\rOTHER=2", "/cad\r\n"}) {
        WriteValueString(kSettingsSection, kCadPathKey, value, file);
        EXPECT_EQ(readBytes(file), before) << value;
    }
    EXPECT_EQ(readKey("OTHER", file), "1");
}

TEST(IniStore, FileThatCannotBeReadIsNotReplaced) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    TempFolder folder;
    const auto file = settingsFileIn(folder.path());
    writeBytes(file, "[other]\r\nx=1\r\n");
    std::filesystem::permissions(file, std::filesystem::perms::none);
    WriteValueString(kSettingsSection, kCadPathKey, "x", file);
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    EXPECT_EQ(readBytes(file), "[other]\r\nx=1\r\n");
}

}  // namespace
}  // namespace zelanto::settings

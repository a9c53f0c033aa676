// The input's first line is a value, the rest an INI file. Writing the value as the program's one
// setting must keep every other line of the file byte for byte and read back as the store
// promises: exactly, in the file's own terms; cut at a NUL and to 254 bytes through the store. A
// value cannot hold a line end, so the line end that closes it is where the file begins.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "base/code_page_932.h"
#include "fuzz/checks.h"
#include "settings/ini_document.h"
#include "settings/ini_store.h"

namespace zelanto::fuzz {
namespace {

constexpr size_t kMaxValueBytes = 254;

// A folder in memory where there is one: the store flushes every file it writes to the disk.
class ScratchFolder {
public:
    ScratchFolder() {
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string pattern = base / "zelanto-ini-fuzz-XXXXXX";
        check(mkdtemp(pattern.data()) != nullptr);
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

size_t countLineEnds(std::string_view bytes) {
    size_t count = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const bool crBeforeLf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        count += (bytes[i] == '\n' || bytes[i] == '\r') && !crBeforeLf ? 1 : 0;
    }
    return count;
}

bool hasLineEnd(std::string_view bytes) {
    return bytes.find_first_of("\r\n") != std::string_view::npos;
}

// `after` differs from `before` in one place. Nothing removed there may reach past a line, so
// every other line is kept; a replaced value changes its line only, a new one adds the key line,
// a section line and the line end of a last line without one at most.
void checkOtherLinesKept(std::string_view before, std::string_view after, bool replaced) {
    const size_t common = std::min(before.size(), after.size());
    size_t prefix = 0;
    while (prefix < common && before[prefix] == after[prefix]) {
        ++prefix;
    }
    size_t suffix = 0;
    while (suffix < common - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    const std::string_view removed = before.substr(prefix, before.size() - prefix - suffix);
    const std::string_view added = after.substr(prefix, after.size() - prefix - suffix);
    check(!hasLineEnd(removed));
    const size_t newLineEnds = countLineEnds(after) - countLineEnds(before);
    check(replaced ? !hasLineEnd(added) : newLineEnds >= 1 && newLineEnds <= 3);
}

// Writes `value` (code page 932) into the INI file `bytes` and checks it; returns whether the
// file already held a value to replace.
bool writeIntoDocument(std::string_view bytes, std::string_view value) {
    const std::string section = base::toAnsi(settings::kSettingsSection);
    const std::string key = base::toAnsi(settings::kCadPathKey);
    settings::IniDocument document(bytes);
    const bool replaced = document.value(section, key).has_value();
    document.setValue(section, key, value);
    const std::string written = document.bytes();
    check(settings::IniDocument(written).value(section, key) == value);
    checkOtherLinesKept(bytes, written, replaced);
    return replaced;
}

void writeFile(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    check(out.good());
}

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Writes `value` (UTF-8) through the store into a file holding `bytes` and reads it back.
void writeThroughTheStore(const std::filesystem::path& file, std::string_view bytes,
                          const std::string& value, bool replaced) {
    using namespace settings;
    writeFile(file, bytes);
    WriteValueString(kSettingsSection, kCadPathKey, value, file);
    checkOtherLinesKept(bytes, readFile(file), replaced);

    const std::string readBack = GetIniString(kSettingsSection, kCadPathKey, file);
    check(isValidUtf8(readBack));
    const std::string ansiValue = base::toAnsi(value);
    const std::string_view stored = std::string_view(ansiValue).substr(0, ansiValue.find('\0'));
    check(base::toAnsi(readBack) == base::cutToBytes(stored, kMaxValueBytes));
}

}  // namespace
}  // namespace zelanto::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const zelanto::fuzz::ScratchFolder folder;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t lineEnd = std::min(input.find_first_of("\r\n"), input.size());
    const std::string value(input.substr(0, lineEnd));
    const std::string_view file = input.substr(std::min(lineEnd + 1, input.size()));

    const bool replaced = zelanto::fuzz::writeIntoDocument(file, value);
    zelanto::fuzz::writeThroughTheStore(folder.path() / "zelanto.ini", file, value, replaced);
    return 0;
}

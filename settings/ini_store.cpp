#include "settings/ini_store.h"

#include <exception>
#include <fstream>
#include <iterator>
#include <optional>

#include "base/atomic_file.h"
#include "base/code_page_932.h"
#include "settings/ini_document.h"

namespace zelanto::settings {
namespace {

// The reader's buffer holds 255 characters, the closing NUL among them.
constexpr size_t kMaxValueBytes = 254;

// The bytes of the file, empty when there is no file, nothing when it exists but cannot be read
// (a write must then leave it alone rather than replace it and lose its other lines).
std::optional<std::string> readIniFile(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return std::string();
    }
    if (!std::filesystem::is_regular_file(status)) {
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    if (!in.is_open() || in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

std::string GetIniString(const std::string& garSection, const std::string& garKey,
                         const std::filesystem::path& garFileName) {
    const auto bytes = readIniFile(garFileName);
    if (!bytes) {
        return kNotFound;
    }
    const auto value = IniDocument(*bytes).value(base::toAnsi(garSection), base::toAnsi(garKey));
    if (!value) {
        return kNotFound;
    }
    // Like the reader's buffer, the text ends at a NUL.
    const std::string_view text = std::string_view(*value).substr(0, value->find('\0'));
    return base::fromAnsi(std::string(base::cutToBytes(text, kMaxValueBytes)));
}

void WriteValueString(const std::string& garSection, const std::string& garKey,
                      const std::string& garValue,
                      const std::filesystem::path& garFileName) noexcept {
    // A line end would end the value's line early and make the rest new lines of the file, even
    // a section that takes the keys after it away from theirs.
    if (garValue.find_first_of("\r\n") != std::string::npos) {
        return;
    }
    try {
        const auto bytes = readIniFile(garFileName);
        if (!bytes) {
            return;
        }
        IniDocument document(*bytes);
        document.setValue(base::toAnsi(garSection), base::toAnsi(garKey), base::toAnsi(garValue));
        base::writeFileAtomically(garFileName, document.bytes());
    } catch (const std::exception&) {
        // An unsaved setting is not reported: the caller keeps its value in memory for this run.
    }
}

}  // namespace zelanto::settings

#include "coords/sim_file.h"

#include <sys/stat.h>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "base/code_page_932.h"
#include "base/file_system.h"
#include "base/text.h"
#include "coords/sim_read_error.h"

namespace zelanto::coords {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The length of the ASCII run at the start of `bytes`, eight bytes at a time.
std::size_t asciiPrefix(std::string_view bytes) {
    std::size_t at = 0;
    for (std::uint64_t word = 0; at + sizeof word <= bytes.size(); at += sizeof word) {
        std::memcpy(&word, bytes.data() + at, sizeof word);
        if ((word & 0x8080808080808080u) != 0) {
            break;
        }
    }
    while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80) {
        ++at;
    }
    return at;
}

// Checks a stream of chunks for well-formed UTF-8; a character may be split between chunks.
class Utf8Check {
public:
    void add(std::string_view chunk) {
        if (!wellFormed_) {
            return;
        }
        pending_.append(chunk);
        const std::string_view bytes(pending_);
        std::size_t at = 0;
        while (at < bytes.size()) {
            at += asciiPrefix(bytes.substr(at));
            if (at == bytes.size() ||
                bytes.size() - at <
                    base::utf8LengthFromLead(static_cast<unsigned char>(bytes[at]))) {
                break;  // the rest of a character comes with the next chunk
            }
            const std::size_t length = base::utf8CharacterAt(bytes.substr(at)).length;
            if (length == 0) {
                wellFormed_ = false;
                return;
            }
            beyondAscii_ = true;
            longSequence_ = longSequence_ || length >= 3;
            at += length;
        }
        pending_.erase(0, at);
    }
    // Well-formed to the end, with at least one character beyond ASCII.
    bool isUtf8Text() const { return wellFormed_ && pending_.empty() && beyondAscii_; }
    // A character of three or four bytes was among them: Japanese text in UTF-8 is made of such.
    bool hasLongSequence() const { return longSequence_; }

private:
    std::string pending_;
    bool wellFormed_ = true;
    bool beyondAscii_ = false;
    bool longSequence_ = false;
};

// Whether the file, from where it stands, is code page 932 text throughout: no byte that only a
// byte escape would keep.
bool readsAsCp932(std::FILE* file) {
    char buffer[65536];
    std::size_t carried = 0;  // a lead byte whose trail byte comes with the next chunk
    for (;;) {
        const std::size_t read = std::fread(buffer + carried, 1, sizeof buffer - carried, file);
        const std::string_view bytes(buffer, carried + read);
        std::size_t at = 0;
        while (at < bytes.size()) {
            const std::size_t length = base::cp932CharacterAt(bytes.substr(at)).length;
            if (length == 0) {
                if (read > 0 && at + 1 == bytes.size()) {
                    break;
                }
                return false;
            }
            at += length;
        }
        carried = bytes.size() - at;
        if (carried > 0) {
            buffer[0] = bytes[at];
        }
        if (read == 0) {
            return carried == 0;
        }
    }
}

[[noreturn]] void fail(SimReadProblem problem, const std::filesystem::path& file,
                       std::string found) {
    throw SimReadError(problem, file, 0, 0, SimItemRole::NoItem, std::move(found));
}

}  // namespace

bool passesSimFileCheck(const std::filesystem::path& path) {
    return !simFileRefusal(path);
}

std::optional<SimFileRefusal> simFileRefusal(const std::filesystem::path& path) {
    const std::string name = base::fileNameAt(path);
    if (name.empty()) {
        return SimFileRefusal::NoFile;
    }
    if (!base::endsWithOneOf(name, {"sim", "SIM"})) {
        return SimFileRefusal::NotNamedSim;
    }
    return std::nullopt;
}

bool detectSimEncoding(std::FILE* file, SimEncoding& encoding) {
    char buffer[65536];
    std::size_t read = std::fread(buffer, 1, sizeof buffer, file);
    if (std::string_view(buffer, read).starts_with(kByteOrderMark)) {
        encoding = SimEncoding::Utf8WithByteOrderMark;
        return std::fseek(file, kByteOrderMark.size(), SEEK_SET) == 0;
    }
    Utf8Check check;
    for (; read > 0; read = std::fread(buffer, 1, sizeof buffer, file)) {
        check.add(std::string_view(buffer, read));
    }
    if (std::ferror(file) || std::fseek(file, 0, SEEK_SET) != 0) {
        return false;
    }
    encoding = check.isUtf8Text() ? SimEncoding::Utf8 : SimEncoding::Cp932;
    // Half-width katakana pairs such as CE BC ("ﾎｼ") happen to be two-byte UTF-8 ("μ"): read as
    // UTF-8 their bytes would be lost. Without a longer sequence the file is taken as code page
    // 932 where it reads as such.
    if (encoding == SimEncoding::Utf8 && !check.hasLongSequence()) {
        const bool cp932 = readsAsCp932(file);
        encoding = cp932 ? SimEncoding::Cp932 : SimEncoding::Utf8;
        return !std::ferror(file) && std::fseek(file, 0, SEEK_SET) == 0;
    }
    return true;
}

std::FILE* openSimFile(const std::filesystem::path& file, SimEncoding& encoding) {
    std::FILE* handle = std::fopen(file.c_str(), "rb");
    if (handle == nullptr) {
        fail(SimReadProblem::CannotOpen, file, std::strerror(errno));
    }
    struct stat status {};
    if (fstat(fileno(handle), &status) != 0 || S_ISDIR(status.st_mode)) {
        std::fclose(handle);
        fail(SimReadProblem::CannotOpen, file, std::strerror(EISDIR));
    }
    if (!detectSimEncoding(handle, encoding)) {
        std::fclose(handle);
        fail(SimReadProblem::CannotRead, file, "");
    }
    return handle;
}

}  // namespace zelanto::coords

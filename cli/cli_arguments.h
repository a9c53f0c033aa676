#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zelanto::cli {

struct HelpRequest {};

struct ImportArguments {
    std::filesystem::path file;
    std::int16_t denominator = 500;
    std::optional<std::filesystem::path> script;
    std::optional<std::filesystem::path> xlsx;
    std::optional<std::filesystem::path> dxf;
};

struct MergeArguments {
    std::vector<std::filesystem::path> files;
    std::filesystem::path out;
    std::optional<std::filesystem::path> xlsx;
};

struct ParcelsArguments {
    std::filesystem::path file;
    std::optional<std::filesystem::path> csv;
    bool detail = false;
};

// The sides of a picture, in pixels.
inline constexpr int kSmallestPicture = 16;
inline constexpr int kLargestPicture = 8192;

// A picture of the file's plot, or a file manager's thumbnail of it.
struct PreviewArguments {
    std::filesystem::path file;
    std::filesystem::path png;
    int width = 1024;
    int height = 768;
    // --scale: the plot's sizes at that scale and a scale bar; the default scale's sizes without.
    std::optional<std::int16_t> denominator;
    bool names = true;  // --thumbnail leaves them out
};

using Command =
    std::variant<HelpRequest, ImportArguments, MergeArguments, ParcelsArguments, PreviewArguments>;

// Arguments that do not make a command.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The arguments of a command, taken one at a time.
class ArgumentList {
public:
    explicit ArgumentList(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    bool done() const { return next_ == arguments_.size(); }
    const std::string& take() { return arguments_[next_++]; }
    const std::string& valueOf(const std::string& option) {
        if (done()) {
            throw UsageError(option + " の後に値がありません");
        }
        return take();
    }

private:
    const std::vector<std::string>& arguments_;
    size_t next_ = 0;
};

// Sets an option that may be given once.
template <typename Value>
void setOnce(std::optional<Value>& target, const std::string& option, const std::string& value) {
    if (target) {
        throw UsageError(option + " が二度指定されています");
    }
    target = value;
}

// The program of its own that runs `command`, or nothing for the commands of zelanto-cli itself.
// The libraries that some commands need take longer to load than a whole import: the commands
// that convert to and from GIS files run in zelanto-map (GDAL, PROJ), the preview in
// zelanto-picture (cairo), so that no other command loads them.
const char* programOfCommand(std::string_view command);

// Every command but the map commands.
Command parseArguments(const std::vector<std::string>& arguments);

// What --help prints, and what follows a usage error.
std::string usageText();

}  // namespace zelanto::cli

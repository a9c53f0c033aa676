#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "geo/gis_file.h"
#include "geo/plane_zone.h"

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

struct ExportArguments {
    std::filesystem::path file;
    geo::PlaneZone zone;
    std::filesystem::path out;
    geo::GisFormat format = geo::GisFormat::GeoJson;
    geo::CsvEncoding encoding = geo::CsvEncoding::Cp932;
};

struct TosimArguments {
    std::filesystem::path file;
    geo::PlaneZone zone;
    std::filesystem::path out;
    geo::GisFields fields;
    bool assumeZone = false;
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

using Command = std::variant<HelpRequest, ImportArguments, MergeArguments, ParcelsArguments,
                             ExportArguments, TosimArguments, PreviewArguments>;

// Arguments that do not make a command.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

Command parseArguments(const std::vector<std::string>& arguments);

// What --help prints, and what follows a usage error.
std::string usageText();

}  // namespace zelanto::cli

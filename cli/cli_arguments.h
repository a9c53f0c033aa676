#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "geo/gis_reader.h"
#include "geo/gis_writer.h"
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

using Command = std::variant<HelpRequest, ImportArguments, MergeArguments, ParcelsArguments,
                             ExportArguments, TosimArguments>;

// Arguments that do not make a command.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

Command parseArguments(const std::vector<std::string>& arguments);

// What --help prints, and what follows a usage error.
std::string usageText();

}  // namespace zelanto::cli

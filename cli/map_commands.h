#pragma once

#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "cli/cli_arguments.h"
#include "geo/gis_file.h"
#include "geo/plane_zone.h"

namespace zelanto::cli {

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

using MapCommand = std::variant<HelpRequest, ExportArguments, TosimArguments>;

// The arguments of `export` or `tosim`.
MapCommand parseMapArguments(const std::vector<std::string>& arguments);

int runExport(const ExportArguments& arguments, std::ostream& out, std::ostream& err);
int runTosim(const TosimArguments& arguments, std::ostream& out, std::ostream& err);

}  // namespace zelanto::cli

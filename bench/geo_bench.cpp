// Speed of the map commands on 50,000 points: export to a GeoPackage and to GeoJSON, and tosim of
// the GeoPackage back to a SIM file, each a whole command but for starting the process.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>

#include "bench/bench_sim_file.h"
#include "cli/commands.h"
#include "cli/map_commands.h"

namespace {

using namespace zelanto;

constexpr geo::PlaneZone kZoneIX{9, geo::Datum::Jgd2011};

std::filesystem::path benchFolder() {
    const auto folder = std::filesystem::temp_directory_path() / "zelanto-bench";
    std::filesystem::create_directories(folder);
    return folder;
}

int exportTo(const std::filesystem::path& sim, const std::filesystem::path& out) {
    std::ostringstream messages;
    return cli::runExport({sim, kZoneIX, out, *geo::gisFormatOf(out)}, messages, messages);
}

void exportBenchmark(benchmark::State& state, const char* name) {
    const auto sim = bench::writeSimFile(benchFolder(), 50000);
    const auto out = benchFolder() / name;
    for (auto _ : state) {
        if (exportTo(sim, out) != cli::kSuccess) {
            state.SkipWithError("export failed");
        }
    }
}

void BM_Export50000PointsToGeoPackage(benchmark::State& state) {
    exportBenchmark(state, "points.gpkg");
}
BENCHMARK(BM_Export50000PointsToGeoPackage)->Unit(benchmark::kMillisecond);

void BM_Export50000PointsToGeoJson(benchmark::State& state) {
    exportBenchmark(state, "points.geojson");
}
BENCHMARK(BM_Export50000PointsToGeoJson)->Unit(benchmark::kMillisecond);

void BM_Tosim50000PointsFromGeoPackage(benchmark::State& state) {
    const auto gpkg = benchFolder() / "tosim.gpkg";
    exportTo(bench::writeSimFile(benchFolder(), 50000), gpkg);
    std::ostringstream messages;
    const cli::TosimArguments arguments{
        gpkg,
        kZoneIX,
        benchFolder() / "tosim.sim",
        {.number = "電算No", .name = "測点名", .elevation = "標高"}};
    for (auto _ : state) {
        if (cli::runTosim(arguments, messages, messages) != cli::kSuccess) {
            state.SkipWithError("tosim failed");
        }
    }
}
BENCHMARK(BM_Tosim50000PointsFromGeoPackage)->Unit(benchmark::kMillisecond);

}  // namespace

// Speed of the core on the largest inputs the program handles.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>

#include "bench/bench_sim_file.h"
#include "cad/plot.h"
#include "coords/coordinate_sheet.h"
#include "coords/sim_import.h"
#include "coords/sim_writer.h"
#include "platform/embedded/embedded_host.h"

namespace {

using namespace zelanto;

std::filesystem::path benchFolder() {
    const auto folder = std::filesystem::temp_directory_path() / "zelanto-bench";
    std::filesystem::create_directories(folder);
    return folder;
}

std::filesystem::path simFile(int count) {
    return bench::writeSimFile(benchFolder(), count);
}

coords::SheetReferences importedSheet(platform::SpreadsheetHost& host, int count) {
    static std::map<int, std::filesystem::path> files;
    if (!files.contains(count)) {
        files[count] = simFile(count);
    }
    coords::SheetReferences sheet = coords::createCoordinateSheet(host);
    coords::SimReader reader(files[count]);
    reader.skipToFirstPoint();
    coords::importPoints(reader, *sheet.worksheet);
    return sheet;
}

void BM_Import50000Points(benchmark::State& state) {
    for (auto _ : state) {
        platform::EmbeddedHost host;
        benchmark::DoNotOptimize(importedSheet(host, 50000));
    }
}
BENCHMARK(BM_Import50000Points)->Unit(benchmark::kMillisecond);

void BM_PlotScript10001Points(benchmark::State& state) {
    platform::EmbeddedHost host;
    const auto sheet = importedSheet(host, 10001);
    const auto script = benchFolder() / "orvik.scr";
    for (auto _ : state) {
        cad::Plot(*sheet.worksheet, 500).writeScript(script);
    }
}
BENCHMARK(BM_PlotScript10001Points)->Unit(benchmark::kMillisecond);

void BM_MergedSimWrite50000Points(benchmark::State& state) {
    platform::EmbeddedHost host;
    const auto sheet = importedSheet(host, 50000);
    const auto out = benchFolder() / "orvik.sim";
    for (auto _ : state) {
        coords::writeMergedSim(*sheet.worksheet, out);
    }
}
BENCHMARK(BM_MergedSimWrite50000Points)->Unit(benchmark::kMillisecond);

}  // namespace

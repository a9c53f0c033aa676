// Speed of the core on the largest inputs the program handles.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "cad/plot_script.h"
#include "coords/coordinate_sheet.h"
#include "coords/sim_import.h"
#include "coords/sim_writer.h"
#include "platform/embedded_host.h"

namespace {

using namespace zelanto;

std::filesystem::path benchFolder() {
    const auto folder = std::filesystem::temp_directory_path() / "zelanto-bench";
    std::filesystem::create_directories(folder);
    return folder;
}

// A SIM file of `count` points as an instrument writes them.
std::filesystem::path simFile(int count) {
    const auto path = benchFolder() / ("points-" + std::to_string(count) + ".sim");
    std::ofstream out(path, std::ios::binary);
    out << "G00,01,bench,\r\nZ00,coordinates,\r\nA00,\r\n";
    for (int i = 1; i <= count; ++i) {
        out << "A01," << i << ",P" << i << "," << -30000.0 - i * 0.137 << "," << 42000.0 + i * 0.291
            << "," << (i % 100) * 0.731 << ",\r\n";
    }
    out << "A99,\r\n";
    return path;
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
        cad::writePlotScript(*sheet.worksheet, 500, script);
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

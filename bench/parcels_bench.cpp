// Speed of reading and measuring parcels in a large file.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/bench_sim_file.h"
#include "coords/parcel_measure.h"
#include "coords/parcel_reader.h"

namespace {

using namespace zelanto;

// 50,000 points and 5,000 parcels of 10 corners: every parcel read, resolved and measured.
void BM_ReadAndMeasure5000Parcels(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "zelanto-bench";
    std::filesystem::create_directories(folder);
    const auto file = bench::writeSimFile(folder, 50000, 5000, 10);
    for (auto _ : state) {
        const coords::ParcelFile read = coords::readParcels(file);
        double total = 0;
        for (const coords::Parcel& parcel : read.parcels) {
            total += coords::parcelArea(parcel) + coords::parcelPerimeter(parcel) +
                     coords::areaTable(parcel).doubleArea;
        }
        benchmark::DoNotOptimize(total);
        if (read.parcels.size() != 5000 || !read.issues.empty()) {
            state.SkipWithError("the parcels did not read");
        }
    }
}
BENCHMARK(BM_ReadAndMeasure5000Parcels)->Unit(benchmark::kMillisecond);

}  // namespace

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>

#include "platform/embedded/embedded_host.h"
#include "platform/embedded/xlsx_export.h"
#include "tests/platform/embedded/point_sheet.h"
#include "tests/temp_folder.h"

namespace zelanto::platform {
namespace {

constexpr int kPoints = 50000;

// The heap in use as glibc counts it, large blocks of their own included.
double heapMegabytes() {
    const auto info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / 1e6;
}

// Showing a full sheet of points: the time to write it as .xlsx, and what the sheet costs in
// memory (as the model counts it and as the heap grew while it was filled).
void BM_XlsxExport50000Rows(benchmark::State& state) {
    const double heapBefore = heapMegabytes();
    EmbeddedWorksheet sheet("Sheet1");
    testing::layOutPointSheet(sheet);
    testing::writePoints(sheet, kPoints);
    const double heapGrowth = heapMegabytes() - heapBefore;

    testing::TempFolder folder;
    for (auto _ : state) {
        writeXlsx(sheet.model(), folder / "points.xlsx");
    }
    state.counters["model_MB"] = static_cast<double>(sheet.model().memoryBytes()) / 1e6;
    state.counters["heap_MB"] = heapGrowth;
}
BENCHMARK(BM_XlsxExport50000Rows)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelanto::platform

// Speed of the embedded sheet's cells alone: a sheet of points filled as an import fills it and
// read back as a plot reads it, from texts made beforehand, so that no file reading counts.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "platform/embedded/embedded_host.h"
#include "tests/platform/embedded/point_sheet.h"

namespace zelanto::platform {
namespace {

constexpr int kPoints = 50000;
constexpr int kFirstRow = 3;

using PointTexts = std::array<CellValue, 5>;

// Number, name, X, Y and elevation of each point, as the import writes them.
std::vector<PointTexts> pointTexts() {
    std::vector<PointTexts> points;
    for (int k = 1; k <= kPoints; ++k) {
        const std::string number = std::to_string(k);
        points.push_back({number, "P" + number, std::to_string(-30000 - k * 0.137),
                          std::to_string(42000 + k * 0.291), std::to_string((k % 100) * 0.731)});
    }
    return points;
}

void BM_FillAndRead50000PointRows(benchmark::State& state) {
    const std::vector<PointTexts> points = pointTexts();
    for (auto _ : state) {
        EmbeddedWorksheet sheet("Sheet1");
        testing::layOutPointSheet(sheet);
        for (int k = 0; k < kPoints; ++k) {
            for (int column = 1; column <= 5; ++column) {
                sheet.setValue(Row(kFirstRow + k), Column(column), points[k][column - 1]);
            }
        }
        double sum = 0;
        for (Row row(kFirstRow); !sheet.value(row, Column(2)).isEmpty(); row = row + 1) {
            sum += sheet.value(row, Column(3)).number() + sheet.value(row, Column(4)).number();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_FillAndRead50000PointRows)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelanto::platform

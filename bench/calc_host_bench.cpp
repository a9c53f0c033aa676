// Speed of the spreadsheet host in LibreOffice Calc, against one headless instance of its own that
// is up before the first measurement: the largest import, and the reads of the largest plot.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/bench_sim_file.h"
#include "cad/plot.h"
#include "coords/coordinate_sheet.h"
#include "coords/sim_import.h"
#include "platform/calc/uno_office.h"
#include "tests/platform/calc/test_office.h"
#include "tests/temp_folder.h"

namespace {

using namespace zelanto;

// Our instance for the whole run, ended at its end.
struct BenchOffice {
    testing::TempFolder folder;
    std::optional<platform::calc::OfficeSettings> settings =
        testing::testOfficeSettings(folder / "profile", true);
    std::unique_ptr<platform::SpreadsheetHost> host;

    BenchOffice() {
        if (settings) {
            settings->callLimit = std::chrono::seconds(30);
            host = platform::calc::makeCalcHost(*settings);
            // Starts LibreOffice.
            coords::createCoordinateSheet(*host);
        }
    }
    ~BenchOffice() { testing::endOffice(folder / "profile"); }
};

BenchOffice& office() {
    static BenchOffice instance;
    return instance;
}

std::filesystem::path simFile(int count) {
    return bench::writeSimFile(office().folder.path(), count);
}

// The import of the window: a new sheet, every point read into it, the sheet shown.
coords::SheetReferences import(const std::filesystem::path& file) {
    coords::SheetReferences sheet = coords::createCoordinateSheet(*office().host);
    coords::SimReader reader(file);
    reader.skipToFirstPoint();
    coords::importPoints(reader, *sheet.worksheet);
    sheet.application->setVisible(true);
    return sheet;
}

void BM_CalcImportOf50000Points(benchmark::State& state) {
    if (!office().host) {
        state.SkipWithError("LibreOffice is not installed");
        return;
    }
    const auto file = simFile(50000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(import(file));
    }
    state.SetItemsProcessed(state.iterations() * 50000);
}
// LibreOffice does the work: wall time is what the user waits.
BENCHMARK(BM_CalcImportOf50000Points)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_CalcPlotOf10001Points(benchmark::State& state) {
    if (!office().host) {
        state.SkipWithError("LibreOffice is not installed");
        return;
    }
    const coords::SheetReferences sheet = import(simFile(10001));
    const auto script = office().folder / "orvik.scr";
    for (auto _ : state) {
        cad::Plot(*sheet.worksheet, 500).writeScript(script);
        // Any other call drops the blocks read, so that every plot reads anew.
        state.PauseTiming();
        sheet.worksheet->select(platform::Row(1), platform::Column(1));
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 10001);
}
BENCHMARK(BM_CalcPlotOf10001Points)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

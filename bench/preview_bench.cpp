// Speed of the picture of a SIM file (zelanto-cli preview) on the largest file the import takes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>

#include "bench/bench_sim_file.h"
#include "cad/drawing_picture.h"
#include "cad/plot.h"
#include "cli/commands.h"
#include "coords/coordinate_sheet.h"
#include "coords/sim_import.h"
#include "platform/embedded/embedded_host.h"

namespace {

using namespace zelanto;

constexpr int kPoints = 50000;

std::filesystem::path benchFolder() {
    const auto folder = std::filesystem::temp_directory_path() / "zelanto-bench";
    std::filesystem::create_directories(folder);
    return folder;
}

// The whole command, from the file to the PNG: reading the points into the sheet, the parcels,
// the drawing, the picture and its file. A thumbnail when the argument is not 0.
void BM_Preview50000Points(benchmark::State& state) {
    const auto folder = benchFolder();
    cli::PreviewArguments arguments{bench::writeSimFile(folder, kPoints, 100, 10),
                                    folder / "preview.png",
                                    1024,
                                    768,
                                    500,
                                    true};
    if (state.range(0) != 0) {
        arguments.width = arguments.height = static_cast<int>(state.range(0));
        arguments.denominator.reset();
        arguments.names = false;
    }
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        if (cli::runPreview(arguments, out, err) != cli::kSuccess) {
            state.SkipWithError(err.str().c_str());
        }
    }
}
BENCHMARK(BM_Preview50000Points)->Arg(0)->Arg(256)->Unit(benchmark::kMillisecond);

// The picture alone, of a drawing already made.
void BM_PictureOf50000PointDrawing(benchmark::State& state) {
    platform::EmbeddedHost host;
    const coords::SheetReferences sheet = coords::createCoordinateSheet(host);
    coords::SimReader reader(bench::writeSimFile(benchFolder(), kPoints));
    reader.skipToFirstPoint();
    coords::importPoints(reader, *sheet.worksheet);
    const cad::Drawing drawing = cad::Plot(*sheet.worksheet, 500, coords::kImportLastRow).drawing();
    const auto png = benchFolder() / "picture.png";
    for (auto _ : state) {
        cad::writeDrawingPicture(drawing, {1024, 768, true, 2.0}, png);
    }
}
BENCHMARK(BM_PictureOf50000PointDrawing)->Unit(benchmark::kMillisecond);

}  // namespace

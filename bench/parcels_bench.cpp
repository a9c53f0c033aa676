// Speed of reading, checking and measuring parcels.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "bench/bench_sim_file.h"
#include "coords/parcel_measure.h"
#include "coords/parcels.h"

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

// The shape of a real cadastral export: 2,400 points, then 4 parcels of 836, 1,130, 159 and 730
// corners (2,855), each corner followed by the C03 of its edge; names padded to 14 bytes of
// code page 932, CR LF. The points lie on a circle of 300 m, the parcels on runs of it (the last
// one round past the first point), and the edges are written as the coordinates give them.
const std::vector<int> kExportCorners = {836, 1130, 159, 730};
constexpr int kExportPoints = 2400;

struct ExportPoint {
    double x;
    double y;
};

ExportPoint exportPoint(int number) {
    const double angle = 2 * std::numbers::pi * (number - 1) / kExportPoints;
    // Rounded to the millimetre, as the file writes them.
    return {std::round((-34000 + 300 * std::cos(angle)) * 1000) / 1000,
            std::round((-8000 + 300 * std::sin(angle)) * 1000) / 1000};
}

// "境界12" padded with blanks to 14 bytes.
std::string exportName(int number) {
    const std::string name = "\x8b\xab\x8a\x45" + std::to_string(number);
    return name + std::string(14 - name.size(), ' ');
}

std::string edgeRecord(const ExportPoint& from, const ExportPoint& to) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    double bearing = std::atan2(dy, dx) * 180 / std::numbers::pi;
    if (bearing < 0) {
        bearing += 360;
    }
    const long seconds = std::lround(bearing * 3600) % (360 * 3600);
    char text[80];
    std::snprintf(text, sizeof text, "C03,%10.3f,%4ld.%02ld%02ld,\r\n", std::hypot(dx, dy),
                  seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

std::filesystem::path writeCadastralExport(const std::filesystem::path& folder) {
    const auto path = folder / "cadastral-export.sim";
    std::ofstream out(path, std::ios::binary);
    out << "G00,01,bench,\r\nZ00,\x8d\xc0\x95\x57,\r\nA00,\r\n";
    char line[120];
    for (int i = 1; i <= kExportPoints; ++i) {
        const ExportPoint point = exportPoint(i);
        std::snprintf(line, sizeof line, "A01,%6d,%s,%12.3f,%12.3f,%8.3f,\r\n", i,
                      exportName(i).c_str(), point.x, point.y, 10 + (i % 100) * 0.731);
        out << line;
    }
    out << "A99,\r\nZ00,\x89\xe6\x92\x6e,\r\n";
    int first = 1;
    for (size_t p = 0; p < kExportCorners.size(); ++p) {
        // 野田第１ … 野田第４, padded as the names are.
        out << "D00,     " << p + 1 << ",\x96\xec\x93\x63\x91\xe6\x82" << char(0x50 + p)
            << "      ,1,\r\n";
        const int count = kExportCorners[p];
        for (int c = 0; c < count; ++c) {
            const int number = (first + c - 1) % kExportPoints + 1;
            const int next = (first + (c + 1) % count - 1) % kExportPoints + 1;
            std::snprintf(line, sizeof line, "B01,%6d,%s,\r\n", number, exportName(number).c_str());
            out << line << edgeRecord(exportPoint(number), exportPoint(next));
        }
        out << "D99,\r\n";
        first += count;
    }
    out << "A99,END\r\n";
    return path;
}

void BM_ReadAndCheckTheCadastralExport(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "zelanto-bench";
    std::filesystem::create_directories(folder);
    const auto file = writeCadastralExport(folder);
    for (auto _ : state) {
        const coords::ParcelFile read = coords::readParcels(file);
        size_t corners = 0;
        size_t disagreements = 0;
        double total = 0;
        for (const coords::Parcel& parcel : read.parcels) {
            corners += parcel.corners.size();
            disagreements += coords::edgeDisagreements(parcel).size() + parcel.leftOut.size();
            total += coords::parcelArea(parcel) + coords::parcelPerimeter(parcel);
        }
        benchmark::DoNotOptimize(total);
        if (read.parcels.size() != 4 || corners != 2855 || disagreements != 0 ||
            !read.issues.empty()) {
            state.SkipWithError("the export did not read as written");
        }
    }
}
BENCHMARK(BM_ReadAndCheckTheCadastralExport)->Unit(benchmark::kMillisecond);

}  // namespace

#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace zelanto::bench {

// Writes into `folder` a SIM file of `count` points as an instrument writes them and, when asked,
// `parcels` parcel blocks after them, each of `corners` consecutive points with padded numbers.
inline std::filesystem::path writeSimFile(const std::filesystem::path& folder, int count,
                                          int parcels = 0, int corners = 0) {
    const auto path = folder / ("points-" + std::to_string(count) + "-parcels-" +
                                std::to_string(parcels) + ".sim");
    std::ofstream out(path, std::ios::binary);
    out << "G00,01,bench,\r\nZ00,coordinates,\r\nA00,\r\n";
    for (int i = 1; i <= count; ++i) {
        out << "A01," << i << ",P" << i << "," << -30000.0 - i * 0.137 << "," << 42000.0 + i * 0.291
            << "," << (i % 100) * 0.731 << ",\r\n";
    }
    out << "A99,\r\n";
    for (int p = 0; p < parcels; ++p) {
        out << "Z00,parcel,\r\nD00,    " << p + 1 << ",lot" << p + 1 << ",1,\r\n";
        for (int c = 1; c <= corners; ++c) {
            const int point = (p * corners + c - 1) % count + 1;
            out << "B01,    " << point << ",P" << point << ",\r\n";
        }
        out << "D99,\r\n";
    }
    if (parcels > 0) {
        out << "A99,END\r\n";
    }
    return path;
}

}  // namespace zelanto::bench

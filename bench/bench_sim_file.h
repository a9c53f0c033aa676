#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace zelanto::bench {

// Writes into `folder` a SIM file of `count` points as an instrument writes them.
inline std::filesystem::path writeSimFile(const std::filesystem::path& folder, int count) {
    const auto path = folder / ("points-" + std::to_string(count) + ".sim");
    std::ofstream out(path, std::ios::binary);
    out << "G00,01,bench,\r\nZ00,coordinates,\r\nA00,\r\n";
    for (int i = 1; i <= count; ++i) {
        out << "A01," << i << ",P" << i << "," << -30000.0 - i * 0.137 << "," << 42000.0 + i * 0.291
            << "," << (i % 100) * 0.731 << ",\r\n";
    }
    out << "A99,\r\n";
    return path;
}

}  // namespace zelanto::bench

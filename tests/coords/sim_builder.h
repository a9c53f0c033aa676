#pragma once

#include <string>

namespace zelanto::testing {

// SIM file bytes: a header, `count` point lines "A01,<i>,P<i>,<i>.5,-<i>.25,<i>," and, unless
// told otherwise, "A99,".
inline std::string simWithPoints(int count, bool endRecord = true) {
    std::string bytes = "G00,01,test,\r\nA00,\r\n";
    for (int i = 1; i <= count; ++i) {
        const std::string n = std::to_string(i);
        bytes += "A01," + n + ",P" + n + "," + n + ".5,-" + n + ".25," + n + ",\r\n";
    }
    if (endRecord) {
        bytes += "A99,\r\n";
    }
    return bytes;
}

// simWithPoints(count) with the Y of point `point` replaced by `text`.
inline std::string simWithBadY(int count, int point, const std::string& text) {
    std::string bytes = simWithPoints(count);
    const std::string y = ",-" + std::to_string(point) + ".25,";
    bytes.replace(bytes.find(y), y.size(), "," + text + ",");
    return bytes;
}

}  // namespace zelanto::testing

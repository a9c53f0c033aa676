#include "cli/table_lines.h"

namespace zelanto::cli {
namespace {

std::string csvField(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        return field;
    }
    std::string quoted = "\"";
    for (const char c : field) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

}  // namespace

std::string tabLine(const TableRow& row) {
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) {
        if (i > 0) {
            line += '\t';
        }
        for (const char c : row[i]) {
            line += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
        }
    }
    return line;
}

std::string csvLine(const TableRow& row) {
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) {
        if (i > 0) {
            line += ',';
        }
        line += csvField(row[i]);
    }
    return line;
}

}  // namespace zelanto::cli

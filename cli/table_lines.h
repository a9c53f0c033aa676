#pragma once

#include <string>
#include <vector>

namespace zelanto::cli {

using TableRow = std::vector<std::string>;

// A row as one line of tab-separated text, without its line end. A tab or line end inside a field
// becomes a blank, so that every row stays one line of the same columns.
std::string tabLine(const TableRow& row);

// A row as one CSV line, without its line end: fields joined by commas, a field that holds a
// comma, a double quote or a line end put in double quotes with its quotes doubled.
std::string csvLine(const TableRow& row);

}  // namespace zelanto::cli

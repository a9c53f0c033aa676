#pragma once

#include <ostream>

#include "cli/cli_arguments.h"

namespace zelanto::cli {

// Each returns the process's exit code; reports go to `out`, failures to `err`.
int runImport(const ImportArguments& arguments, std::ostream& out, std::ostream& err);
int runMerge(const MergeArguments& arguments, std::ostream& out, std::ostream& err);
int runParcels(const ParcelsArguments& arguments, std::ostream& out, std::ostream& err);
int runExport(const ExportArguments& arguments, std::ostream& out, std::ostream& err);
int runTosim(const TosimArguments& arguments, std::ostream& out, std::ostream& err);
int runPreview(const PreviewArguments& arguments, std::ostream& out, std::ostream& err);

}  // namespace zelanto::cli

#include "cad/cad_path.h"

#include "base/file_system.h"

namespace zelanto::cad {

bool isAcceptedCadProgram(const std::filesystem::path& path) {
    return isAcceptedCadProgramName(base::fileNameAt(path)) ||
           (!base::fileNameAt(path).empty() && base::isExecutableProgram(path));
}

bool showsAsChosenCadProgram(const std::filesystem::path& path) {
    const std::string name = base::fileNameAt(path);
    return name.ends_with("exe") || (!name.empty() && base::isExecutableProgram(path));
}

}  // namespace zelanto::cad

#include "platform/calc/calc_host_loader.h"

#include <dlfcn.h>

namespace zelanto::platform::calc {

std::unique_ptr<SpreadsheetHost> loadCalcHost(const std::filesystem::path& folder,
                                              const CalcHostOptions& options) {
    void* module = ::dlopen((folder / kCalcHostModule).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        return nullptr;
    }
    const auto create = reinterpret_cast<CalcHostFactory>(::dlsym(module, kCalcHostFactory));
    if (create == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<SpreadsheetHost>(create(options));
}

}  // namespace zelanto::platform::calc

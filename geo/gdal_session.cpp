#include "geo/gdal_session.h"

#include <cpl_error.h>
#include <cpl_vsi.h>
#include <gdal.h>
#include <unistd.h>

#include <atomic>
#include <mutex>

#include "geo/coordinate_operation.h"

namespace zelanto::geo {

GdalSession::GdalSession() {
    static std::once_flag registered;
    std::call_once(registered, [] { GDALAllRegister(); });
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
    static std::atomic<unsigned> sessions = 0;
    folder_ = "/vsimem/zelanto-" + std::to_string(getpid()) + "-" + std::to_string(++sessions);
    // Drivers that write beside a file (CSV) look for its folder.
    VSIMkdir(folder_.c_str(), 0755);
}

GdalSession::~GdalSession() {
    VSIRmdirRecursive(folder_.c_str());
    CPLPopErrorHandler();
}

std::string GdalSession::lastError(const std::string& fallback) {
    const char* message = CPLGetLastErrorMsg();
    return message != nullptr && *message != '\0' ? message : fallback;
}

std::string GdalSession::memoryPath(const std::string& name) const {
    return folder_ + "/" + name;
}

std::string GdalSession::memoryFile(const std::string& name) const {
    vsi_l_offset size = 0;
    const GByte* bytes = VSIGetMemFileBuffer(memoryPath(name).c_str(), &size, FALSE);
    if (bytes == nullptr) {
        throw GeoError("GDAL wrote no " + name);
    }
    return std::string(reinterpret_cast<const char*>(bytes), static_cast<size_t>(size));
}

}  // namespace zelanto::geo

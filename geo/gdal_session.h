#pragma once

#include <string>

namespace zelanto::geo {

// GDAL for the length of one read or write: its drivers registered, its errors and warnings kept
// from the terminal (the caller reports them, in Japanese, from what they said), and a folder of
// its in-memory file system for what it writes.
class GdalSession {
public:
    GdalSession();
    ~GdalSession();
    GdalSession(const GdalSession&) = delete;
    GdalSession& operator=(const GdalSession&) = delete;

    // What GDAL said last, or `fallback` when it said nothing.
    static std::string lastError(const std::string& fallback);

    // A path for `name` in this session's in-memory folder, removed with the session.
    std::string memoryPath(const std::string& name) const;
    // The bytes of a file that GDAL wrote there and closed.
    std::string memoryFile(const std::string& name) const;

private:
    std::string folder_;
};

}  // namespace zelanto::geo

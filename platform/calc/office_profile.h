#pragma once

#include <filesystem>
#include <string>

namespace zelanto::platform::calc {

// Prepares our LibreOffice profile before its first start, so that LibreOffice shows no dialog or
// bar of its own first start (tip of the day, what's new, get involved, donate) over the sheet.
// A profile that LibreOffice has already used is left as it is.
void seedOfficeProfile(const std::filesystem::path& profile);

// The file URL of an absolute path, with every byte outside the unreserved characters and "/"
// percent-encoded, as LibreOffice takes it for -env:UserInstallation.
std::string fileUrl(const std::filesystem::path& path);

}  // namespace zelanto::platform::calc

#pragma once
// The settings file as the profile API sees it: one value per call, nothing cached in between
// (GetPrivateProfileStringA, WritePrivateProfileStringA).

#include <string>

namespace gw {

class IProfileFile {
public:
    virtual ~IProfileFile() = default;
    // The value's text, or fallback when the file, the section or the key is missing.
    virtual std::string Read(const std::string& path, const std::string& section, const std::string& key,
                             const std::string& fallback) = 0;
    // False when the value could not be written.
    virtual bool Write(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& value) = 0;
};

} // namespace gw

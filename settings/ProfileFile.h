#pragma once
// The settings file as the profile API sees it: one value per call, nothing cached in between
// (GetPrivateProfileStringW, WritePrivateProfileStringW). Paths and texts are UTF-8.

#include <string>
#include <vector>

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
    // The names of the keys of a section in file order; none when the file or the section is
    // missing (GetPrivateProfileStringW without a key).
    virtual std::vector<std::string> Keys(const std::string& path, const std::string& section) = 0;
    // Deletes a key (WritePrivateProfileStringW without a value); false when the file could not
    // be written. A key that is not there is no failure.
    virtual bool Remove(const std::string& path, const std::string& section, const std::string& key) = 0;
};

} // namespace gw

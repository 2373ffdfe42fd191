#pragma once
// How settings values are read from and written to the settings file: integers in decimal,
// booleans as 1/0; on reading, hexadecimal with "0x"/"0X" or "$", an optional minus sign, and the
// key's default for anything that is not an integer.

#include "settings/ProfileFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gw {

// The integer a stored text stands for; nothing when it is not an integer of 32 bits.
std::optional<std::int32_t> ParseSettingInteger(const std::string& text);

class SettingsFile {
public:
    SettingsFile(IProfileFile& profile, std::string path) : profile_(profile), path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    std::int32_t ReadInteger(const std::string& section, const std::string& key, std::int32_t fallback);
    bool ReadBool(const std::string& section, const std::string& key, bool fallback);
    std::string ReadText(const std::string& section, const std::string& key); // empty when missing
    std::vector<std::string> Keys(const std::string& section);                // in file order

    // Raise "Unable to write to <path>" when the value cannot be written (or the key deleted).
    void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    void WriteText(const std::string& section, const std::string& key, const std::string& value);
    void Remove(const std::string& section, const std::string& key);

private:
    IProfileFile& profile_;
    std::string path_;
};

} // namespace gw

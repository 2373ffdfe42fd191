#include "settings/SettingsFile.h"

#include "base/Error.h"

#include <cstdint>

namespace gw {

namespace {

int DigitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

} // namespace

std::optional<std::int32_t> ParseSettingInteger(const std::string& text) {
    std::size_t at = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) {
        at = 1;
    }
    int base = 10;
    if (text.compare(at, 1, "$") == 0) {
        base = 16;
        at += 1;
    } else if (text.size() > 2 && (text.compare(at, 2, "0x") == 0 || text.compare(at, 2, "0X") == 0)) {
        base = 16;
        at += 2;
    }
    if (at >= text.size()) {
        return std::nullopt; // a sign or a prefix without digits
    }
    // Collected as a magnitude in 64 bits; anything beyond 32 bits is not one of our numbers.
    std::int64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const int digit = DigitValue(text[at], base);
        if (digit < 0) {
            return std::nullopt;
        }
        magnitude = magnitude * base + digit;
        if (magnitude > std::int64_t{INT32_MAX} + 1) {
            return std::nullopt;
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::int32_t SettingsFile::ReadInteger(const std::string& section, const std::string& key,
                                       std::int32_t fallback) {
    const std::string fallbackText = std::to_string(fallback);
    return ParseSettingInteger(profile_.Read(path_, section, key, fallbackText)).value_or(fallback);
}

bool SettingsFile::ReadBool(const std::string& section, const std::string& key, bool fallback) {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

std::string SettingsFile::ReadText(const std::string& section, const std::string& key) {
    return profile_.Read(path_, section, key, "");
}

std::vector<std::string> SettingsFile::Keys(const std::string& section) {
    return profile_.Keys(path_, section);
}

void SettingsFile::WriteInteger(const std::string& section, const std::string& key, std::int32_t value) {
    WriteText(section, key, std::to_string(value));
}

void SettingsFile::WriteText(const std::string& section, const std::string& key, const std::string& value) {
    if (!profile_.Write(path_, section, key, value)) {
        throw Error("Unable to write to " + path_);
    }
}

void SettingsFile::Remove(const std::string& section, const std::string& key) {
    if (!profile_.Remove(path_, section, key)) {
        throw Error("Unable to write to " + path_);
    }
}

void SettingsFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteInteger(section, key, value ? 1 : 0);
}

} // namespace gw

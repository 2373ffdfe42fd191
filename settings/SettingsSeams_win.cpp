#include "settings/SettingsSeams_win.h"

#include <windows.h>

#include <vector>

namespace gw::win32 {

namespace {

HKEY ToKey(RegistryKey key) {
    return reinterpret_cast<HKEY>(key.value);
}
RegistryKey FromKey(HKEY key) {
    return RegistryKey{reinterpret_cast<std::uintptr_t>(key)};
}
HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

} // namespace

// --- GWing.ini: one value per call, nothing kept in between

std::string ProfileFile::Read(const std::string& path, const std::string& section, const std::string& key,
                              const std::string& fallback) {
    // A value that fills the buffer comes back cut short (length size - 1): try a larger one.
    for (DWORD size = 256; size <= 65536; size *= 4) {
        std::vector<char> buffer(size);
        const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(),
                                                      buffer.data(), size, path.c_str());
        if (length < size - 1) {
            return std::string(buffer.data(), length);
        }
    }
    return fallback;
}

bool ProfileFile::Write(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}

std::vector<std::string> ProfileFile::Keys(const std::string& path, const std::string& section) {
    // The names come zero-separated with a second zero at the end; a list that fills the buffer
    // comes back cut short (length size - 2): try a larger one.
    for (DWORD size = 1024; size <= 262144; size *= 4) {
        std::vector<char> buffer(size);
        const DWORD length =
            GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(), size, path.c_str());
        if (length < size - 2) {
            std::vector<std::string> keys;
            for (const char* at = buffer.data(); at < buffer.data() + length && *at != '\0';) {
                keys.emplace_back(at);
                at += keys.back().size() + 1;
            }
            return keys;
        }
    }
    return {};
}

bool ProfileFile::Remove(const std::string& path, const std::string& section, const std::string& key) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, path.c_str()) != FALSE;
}

// --- The Run value

RegistryKey Registry::Create(RegistryRoot root, const std::string& path, std::uint32_t access) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return {};
    }
    return FromKey(key);
}

RegistryKey Registry::Open(RegistryRoot root, const std::string& path, std::uint32_t access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(RootKey(root), path.c_str(), 0, access, &key) != ERROR_SUCCESS) {
        return {};
    }
    return FromKey(key);
}

bool Registry::SetString(RegistryKey key, const std::string& name, const std::string& data) {
    // The length counts the terminating zero.
    return RegSetValueExA(ToKey(key), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

bool Registry::ValueExists(RegistryKey key, const std::string& name) {
    return RegQueryValueExA(ToKey(key), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool Registry::DeleteValue(RegistryKey key, const std::string& name) {
    return RegDeleteValueA(ToKey(key), name.c_str()) == ERROR_SUCCESS;
}

void Registry::Close(RegistryKey key) {
    RegCloseKey(ToKey(key));
}

// --- HtmlHelpA of HHCTRL.OCX

std::uintptr_t HtmlHelpEntry::Call(ProcAddress entry, WindowHandle caller, const char* file,
                                   std::uint32_t command, std::uintptr_t data) {
    using HtmlHelpA = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
    const HWND result =
        reinterpret_cast<HtmlHelpA>(entry.value)(reinterpret_cast<HWND>(caller.value), file, command, data);
    return reinterpret_cast<std::uintptr_t>(result);
}

} // namespace gw::win32

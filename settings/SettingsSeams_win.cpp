#include "settings/SettingsSeams_win.h"

#include "base/WideString.h"
#include "shared/Handle_win.h"

#include <windows.h>

#include <vector>

namespace gw {
template <> struct Win32HandleType<RegistryKeyTag> { using Type = HKEY; };
} // namespace gw

namespace gw::win32 {

namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

std::wstring Wide(const std::string& text) {
    return ToWide<std::wstring>(text);
}

} // namespace

// --- GWing.ini: one value per call, nothing kept in between. The wide calls take the file's path
// in any folder; the file itself stays a plain profile file in the code page of the program.

std::string ProfileFile::Read(const std::string& path, const std::string& section, const std::string& key,
                              const std::string& fallback) {
    const std::wstring file = Wide(path), name = Wide(section), entry = Wide(key), otherwise = Wide(fallback);
    // A value that fills the buffer comes back cut short (length size - 1): try a larger one.
    for (DWORD size = 256; size <= 65536; size *= 4) {
        std::vector<wchar_t> buffer(size);
        const DWORD length = GetPrivateProfileStringW(name.c_str(), entry.c_str(), otherwise.c_str(),
                                                      buffer.data(), size, file.c_str());
        if (length < size - 1) {
            return FromWide(buffer.data(), length);
        }
    }
    return fallback;
}

bool ProfileFile::Write(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    return WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(value).c_str(),
                                      Wide(path).c_str()) != FALSE;
}

std::vector<std::string> ProfileFile::Keys(const std::string& path, const std::string& section) {
    const std::wstring file = Wide(path), name = Wide(section);
    // The names come zero-separated with a second zero at the end; a list that fills the buffer
    // comes back cut short (length size - 2): try a larger one.
    for (DWORD size = 1024; size <= 262144; size *= 4) {
        std::vector<wchar_t> buffer(size);
        const DWORD length =
            GetPrivateProfileStringW(name.c_str(), nullptr, L"", buffer.data(), size, file.c_str());
        if (length < size - 2) {
            std::vector<std::string> keys;
            for (const wchar_t* at = buffer.data(); at < buffer.data() + length && *at != L'\0';) {
                std::size_t units = 0;
                while (at[units] != L'\0') {
                    ++units;
                }
                keys.push_back(FromWide(at, units));
                at += units + 1;
            }
            return keys;
        }
    }
    return {};
}

bool ProfileFile::Remove(const std::string& path, const std::string& section, const std::string& key) {
    return WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), nullptr,
                                      Wide(path).c_str()) != FALSE;
}

// --- The Run value: its data is a path, which the wide calls store whatever its letters.

RegistryKey Registry::Create(RegistryRoot root, const std::string& path, std::uint32_t access) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(RootKey(root), Wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return {};
    }
    return FromWin32<RegistryKey>(key);
}

RegistryKey Registry::Open(RegistryRoot root, const std::string& path, std::uint32_t access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(RootKey(root), Wide(path).c_str(), 0, access, &key) != ERROR_SUCCESS) {
        return {};
    }
    return FromWin32<RegistryKey>(key);
}

bool Registry::SetString(RegistryKey key, const std::string& name, const std::string& data) {
    const std::wstring text = Wide(data);
    // The length is in bytes and counts the terminating zero.
    return RegSetValueExW(ToWin32(key), Wide(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool Registry::ValueExists(RegistryKey key, const std::string& name) {
    return RegQueryValueExW(ToWin32(key), Wide(name).c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

bool Registry::DeleteValue(RegistryKey key, const std::string& name) {
    return RegDeleteValueW(ToWin32(key), Wide(name).c_str()) == ERROR_SUCCESS;
}

void Registry::Close(RegistryKey key) {
    RegCloseKey(ToWin32(key));
}

// --- HtmlHelpW of HHCTRL.OCX

std::uintptr_t HtmlHelpEntry::Call(ProcAddress entry, WindowHandle caller, const char* file,
                                   std::uint32_t command, std::uintptr_t data) {
    using HtmlHelpW = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    const std::wstring path = file ? Wide(file) : std::wstring();
    const HWND result = reinterpret_cast<HtmlHelpW>(entry.value)(
        ToWin32(caller), file ? path.c_str() : nullptr, command, data);
    return reinterpret_cast<std::uintptr_t>(result);
}

} // namespace gw::win32

#pragma once
// The real Win32 behind the settings seams: the profile API for GWing.ini, the registry for the
// Run value, and the call into the HTML Help control's HtmlHelpW. Every text is UTF-8 on our side
// and goes to the system's wide calls.

#include "settings/HTMLHelp_Decl.h"
#include "settings/ProfileFile.h"
#include "settings/Registry.h"

namespace gw::win32 {

class ProfileFile final : public IProfileFile {
public:
    std::string Read(const std::string& path, const std::string& section, const std::string& key,
                     const std::string& fallback) override;
    bool Write(const std::string& path, const std::string& section, const std::string& key,
               const std::string& value) override;
    std::vector<std::string> Keys(const std::string& path, const std::string& section) override;
    bool Remove(const std::string& path, const std::string& section, const std::string& key) override;
};

class Registry final : public IRegistry {
public:
    RegistryKey Create(RegistryRoot root, const std::string& path, std::uint32_t access) override;
    RegistryKey Open(RegistryRoot root, const std::string& path, std::uint32_t access) override;
    bool SetString(RegistryKey key, const std::string& name, const std::string& data) override;
    bool ValueExists(RegistryKey key, const std::string& name) override;
    bool DeleteValue(RegistryKey key, const std::string& name) override;
    void Close(RegistryKey key) override;
};

class HtmlHelpEntry final : public IHtmlHelpEntry {
public:
    std::uintptr_t Call(ProcAddress entry, WindowHandle caller, const char* file, std::uint32_t command,
                        std::uintptr_t data) override;
};

} // namespace gw::win32

// The Run value: key path, value name and the failure of a write.

#include "settings/Autorun.h"
#include "ui/Error.h"

#include <gtest/gtest.h>

#include <vector>

namespace gw {
namespace {

struct Registry : IRegistry {
    std::vector<std::string> calls;
    bool setWorks = true;

    RegistryKey Create(RegistryRoot root, const std::string& path, std::uint32_t access) override {
        calls.push_back(std::string(root == RegistryRoot::LocalMachine ? "create HKLM " : "create HKCU ") + path +
                        " " + std::to_string(access));
        return RegistryKey{3};
    }
    RegistryKey Open(RegistryRoot, const std::string& path, std::uint32_t access) override {
        calls.push_back("open " + path + " " + std::to_string(access));
        return RegistryKey{3};
    }
    bool SetString(RegistryKey, const std::string& name, const std::string& data) override {
        calls.push_back("set " + name + "=" + data);
        return setWorks;
    }
    bool ValueExists(RegistryKey, const std::string&) override { return true; }
    bool DeleteValue(RegistryKey, const std::string& name) override {
        calls.push_back("delete " + name);
        return true;
    }
    void Close(RegistryKey) override { calls.push_back("close"); }
};

TEST(RunValue, KeyPathIsRelativeToTheRoot) {
    // The registry functions refuse a sub-key that starts with a separator.
    Registry registry;
    UpdateRunValue(registry, true, "C:\\G\\Glidewing.exe");
    UpdateRunValue(registry, false, "C:\\G\\Glidewing.exe");
    EXPECT_EQ(registry.calls,
              (std::vector<std::string>{"create HKLM Software\\Microsoft\\Windows\\CurrentVersion\\Run 983103",
                                        "set Glidewing=C:\\G\\Glidewing.exe", "close",
                                        "open Software\\Microsoft\\Windows\\CurrentVersion\\Run 983103",
                                        "delete Glidewing", "close"}));
}

TEST(RunValue, FailedWriteClosesTheKeyThenRaises) {
    Registry registry;
    registry.setWorks = false;
    try {
        UpdateRunValue(registry, true, "C:\\G\\Glidewing.exe");
        FAIL() << "no error raised";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "Failed to set data for 'Glidewing'");
    }
    EXPECT_EQ(registry.calls.back(), "close");
}

} // namespace
} // namespace gw

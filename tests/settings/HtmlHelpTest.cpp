// The HTML Help binding: loaded and initialised once, never called through a missing export.

#include "base/Error.h"
#include "settings/HTMLHelp_Decl.h"

#include <gtest/gtest.h>

#include <vector>

namespace gw {
namespace {

struct Rig : ILibraryLoader, IHtmlHelpEntry, IFileSystem {
    std::vector<std::string> calls;
    bool loads = true;
    bool hasExport = true;
    std::string systemDirectory = "C:\\WINDOWS\\system32";

    ModuleHandle Load(const std::string& path) override {
        calls.push_back("Load " + path);
        return loads ? ModuleHandle{1} : ModuleHandle{};
    }
    ProcAddress Find(ModuleHandle, const std::string& name) override {
        calls.push_back("Find " + name);
        return hasExport ? ProcAddress{2} : ProcAddress{};
    }
    void Free(ModuleHandle) override { calls.push_back("Free"); }
    void CallNoArgs(ProcAddress) override { calls.push_back("CallNoArgs"); }

    std::uintptr_t Call(ProcAddress entry, WindowHandle caller, const char* file, std::uint32_t command,
                        std::uintptr_t data) override {
        if (!entry) {
            calls.push_back("call through a null entry");
        }
        calls.push_back("HtmlHelpA " + std::to_string(caller.value) + " " + (file ? file : "-") + " " +
                        std::to_string(command) + (command == 0x1C ? (data ? " &cookie" : " null") : ""));
        return 42;
    }

    std::string ExecutablePath() override { return "C:\\G\\Glidewing.exe"; }
    std::string SystemDirectory() override { return systemDirectory; }
    bool FileExists(const std::string&) override { return true; }

    HTMLHelp_Decl binding{*this, *this, *this};

    std::string Raised(WindowHandle caller, const std::string& file) {
        try {
            binding.HtmlHelpCall(caller, file, 0, 0);
        } catch (const Error& error) {
            return error.what();
        }
        return "";
    }
};

TEST(HtmlHelp, MissingExportRaisesNeverCallsAndLooksAgainWithoutReloading) {
    Rig rig;
    rig.hasExport = false;
    EXPECT_EQ(rig.Raised(WindowHandle{7}, "a.chm"), "Function HTMLHELP cannot loaded!");
    EXPECT_EQ(rig.Raised(WindowHandle{7}, "a.chm"), "Function HTMLHELP cannot loaded!");
    EXPECT_EQ(rig.calls, (std::vector<std::string>{"Load C:\\WINDOWS\\system32\\HHCTRL.OCX", "Find HtmlHelpA",
                                                   "Find HtmlHelpA"}));
    EXPECT_FALSE(rig.binding.Loaded());
}

TEST(HtmlHelp, UnknownSystemDirectoryLoadsNothingFromTheDriveRoot) {
    Rig rig;
    rig.systemDirectory.clear();
    EXPECT_EQ(rig.Raised(WindowHandle{7}, "a.chm"), "HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!");
    EXPECT_TRUE(rig.calls.empty());
    EXPECT_FALSE(rig.binding.Loaded());
}

TEST(HtmlHelp, SystemDirectoryIsCutToItsBuffer) {
    Rig rig;
    rig.systemDirectory = std::string(300, 'x');
    rig.Raised(WindowHandle{}, "a.chm");
    EXPECT_EQ(rig.calls.front(), "Load " + std::string(255, 'x') + "\\HHCTRL.OCX");
}

} // namespace
} // namespace gw

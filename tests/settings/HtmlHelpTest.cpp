// The HTML Help binding: the control from the system folder, loaded and initialised once, never
// called through a missing export; and how a library of the system folder is loaded.

#include "base/Error.h"
#include "base/SystemLibrary.h"
#include "settings/HTMLHelp_Decl.h"

#include <gtest/gtest.h>

#include <vector>

namespace gw {
namespace {

struct Rig : ILibraryLoader, IHtmlHelpEntry {
    std::vector<std::string> calls;
    bool loads = true;
    bool hasExport = true;

    ModuleHandle Load(const std::string& path) override {
        calls.push_back("Load " + path);
        return {};
    }
    ModuleHandle LoadSystem(const std::string& name) override {
        calls.push_back("LoadSystem " + name);
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
        calls.push_back("HtmlHelpW " + std::to_string(caller.value) + " " + (file ? file : "-") + " " +
                        std::to_string(command) + (command == 0x1C ? (data ? " &cookie" : " null") : ""));
        return 42;
    }

    HTMLHelp_Decl binding{*this, *this};

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
    EXPECT_EQ(rig.calls,
              (std::vector<std::string>{"LoadSystem HHCTRL.OCX", "Find HtmlHelpW", "Find HtmlHelpW"}));
    EXPECT_FALSE(rig.binding.Loaded());
}

TEST(HtmlHelp, TheControlComesFromTheSystemFolderOnlyAndTakesAnyPath) {
    Rig rig;
    const std::string help = "C:\\\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\\glidewing.chm::/introduction.htm";
    EXPECT_EQ(rig.Raised(WindowHandle{7}, help), "");
    EXPECT_EQ(rig.calls,
              (std::vector<std::string>{"LoadSystem HHCTRL.OCX", "Find HtmlHelpW", "HtmlHelpW 0 - 28 &cookie",
                                        "HtmlHelpW 7 " + help + " 0"}));
}

// Where the system's loader has the search flags, the system folder is the only place it looks
// (for the library and for what that imports); elsewhere the full path, whose imports are then
// looked for beside it before the program's folder; never a bare name, never the drive's root.
TEST(SystemLibrary, LoadedFromTheSystemFolderOnly) {
    const struct {
        const char* what;
        bool searchFlags;
        std::string systemFolder;
        std::optional<SystemLibraryLoad> load;
    } cases[] = {
        {"search flags", true, "C:\\WINDOWS\\system32", SystemLibraryLoad{"winmm.dll", 0x800}},
        {"search flags, folder unknown", true, "", SystemLibraryLoad{"winmm.dll", 0x800}},
        {"no flags (Windows XP)", false, "C:\\WINDOWS\\system32",
         SystemLibraryLoad{"C:\\WINDOWS\\system32\\winmm.dll", 0x8}},
        {"no flags, folder with a separator", false, "D:\\", SystemLibraryLoad{"D:\\winmm.dll", 0x8}},
        {"no flags, folder in any script", false, "C:\\\xE7\xB3\xBB\xE7\xBB\x9F",
         SystemLibraryLoad{"C:\\\xE7\xB3\xBB\xE7\xBB\x9F\\winmm.dll", 0x8}},
        {"no flags, folder unknown: nothing", false, "", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ChooseSystemLibraryLoad("winmm.dll", c.searchFlags, c.systemFolder), c.load);
    }
}

} // namespace
} // namespace gw

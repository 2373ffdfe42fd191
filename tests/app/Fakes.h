#pragma once
// Recording fakes of every seam TMainForm uses. They share one journal, so a test can check the
// order of calls across seams ("Load GWHooks.dll" before "CreateFileMapping ...").

#include "app/MainForm.h"
#include "tests/popdesk/PopDeskFakes.h"
#include "tests/scroll/ScrollRig.h"
#include "tests/shared/FakeWindowQueries.h"
#include "tests/shared/Ledger.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace gw::test {

using Journal = std::vector<std::string>;

// What one save writes with no program listed: the eighteen keys, then FullScreenAside.
inline constexpr std::size_t kSavedKeys = 19;

inline std::string BaseName(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

class FakeLibraries : public ILibraryLoader {
public:
    explicit FakeLibraries(Journal& journal) : journal_(journal) {}

    // Libraries that load, by file name, with the exports each one has.
    std::map<std::string, std::set<std::string>> Available;
    std::function<void(const std::string& exportName)> OnCall;
    std::vector<std::string> LoadedPaths;
    Ledger* ledger = nullptr;

    ModuleHandle Load(const std::string& path) override {
        journal_.push_back("Load " + BaseName(path));
        LoadedPaths.push_back(path);
        const auto found = Available.find(BaseName(path));
        if (found == Available.end()) {
            return {};
        }
        modules_.push_back(found->first);
        NoteTaken(ledger, "library", modules_.size());
        return ModuleHandle{modules_.size()};
    }
    // A library of the system folder: found by name like the others, and noted in SystemNames.
    std::vector<std::string> SystemNames;
    ModuleHandle LoadSystem(const std::string& name) override {
        SystemNames.push_back(name);
        return Load(name);
    }
    ProcAddress Find(ModuleHandle module, const std::string& name) override {
        journal_.push_back("Find " + name);
        if (!module || !Available[ModuleName(module)].count(name)) {
            return {};
        }
        exports_.push_back(name);
        return ProcAddress{exports_.size()};
    }
    void Free(ModuleHandle module) override {
        journal_.push_back("Free " + ModuleName(module));
        NoteGivenBack(ledger, "library", module.value);
    }
    void CallNoArgs(ProcAddress entry) override {
        const std::string name = entry ? exports_.at(entry.value - 1) : "<null>";
        journal_.push_back("Call " + name);
        if (OnCall) {
            OnCall(name);
        }
    }
    std::string ExportName(ProcAddress entry) const { return entry ? exports_.at(entry.value - 1) : ""; }

private:
    std::string ModuleName(ModuleHandle module) const {
        return module && module.value <= modules_.size() ? modules_[module.value - 1] : "<null>";
    }
    Journal& journal_;
    std::vector<std::string> modules_;
    std::vector<std::string> exports_;
};

class FakeSection : public ISharedSection {
public:
    explicit FakeSection(Journal& journal) : journal_(journal) {}

    HookShare Record{}; // zero-filled, as a fresh section is
    AsideShare Aside{}; // the stand-aside list's section (handle 0x78)
    bool CreateFails = false;
    bool MapFails = false;
    bool AsideCreateFails = false;
    bool AsideMapFails = false;
    Ledger* ledger = nullptr;

    KernelHandle Create(const std::string& name, std::uint32_t size) override {
        journal_.push_back("CreateFileMapping " + name + " " + std::to_string(size));
        const bool aside = name == kAsideShareName;
        if (aside ? AsideCreateFails : CreateFails) {
            return {};
        }
        const KernelHandle made{aside ? 0x78u : 0x77u};
        NoteTaken(ledger, "section", made.value);
        return made;
    }
    HookShare* MapWritable(KernelHandle section) override {
        journal_.push_back("MapViewOfFile " + std::to_string(section.value));
        if (MapFails) {
            return nullptr;
        }
        NoteTaken(ledger, "section view", reinterpret_cast<std::uintptr_t>(&Record));
        return &Record;
    }
    void Unmap(HookShare* view) override {
        journal_.push_back(view == &Record ? "Unmap" : "Unmap <other>");
        NoteGivenBack(ledger, "section view", reinterpret_cast<std::uintptr_t>(view));
    }
    void Close(KernelHandle section) override {
        journal_.push_back("CloseHandle " + std::to_string(section.value));
        NoteGivenBack(ledger, "section", section.value);
    }
    AsideShare* MapAsideWritable(KernelHandle section) override {
        journal_.push_back("MapViewOfFile " + std::to_string(section.value));
        if (AsideMapFails) {
            return nullptr;
        }
        NoteTaken(ledger, "section view", reinterpret_cast<std::uintptr_t>(&Aside));
        return &Aside;
    }
    void UnmapAside(AsideShare* view) override {
        journal_.push_back(view == &Aside ? "Unmap aside" : "Unmap <other>");
        NoteGivenBack(ledger, "section view", reinterpret_cast<std::uintptr_t>(view));
    }

private:
    Journal& journal_;
};

class FakeSystemParameters : public ISystemParameters {
public:
    explicit FakeSystemParameters(Journal& journal) : journal_(journal) {}

    bool QueryWorks = true;
    bool ScreenSaverActive = false;

    bool Set(std::uint32_t action, std::uint32_t param, std::uint32_t winIni) override {
        journal_.push_back("SPI " + std::to_string(action) + " " + std::to_string(param) + " " +
                           std::to_string(winIni));
        return true;
    }
    bool ScreenSaveActive(bool& active) override {
        journal_.push_back("SPI_GETSCREENSAVEACTIVE");
        if (QueryWorks) {
            active = ScreenSaverActive;
        }
        return QueryWorks;
    }

private:
    Journal& journal_;
};

class FakeDrives : public IDrives {
public:
    explicit FakeDrives(Journal& journal) : journal_(journal) {}

    std::string CdromLetters;

    std::uint32_t DriveType(const std::string& root) override {
        journal_.push_back("GetDriveType " + root);
        const bool cd = root.size() == 2 && CdromLetters.find(root[0]) != std::string::npos;
        return cd ? 5 : 3; // DRIVE_CDROM, DRIVE_FIXED
    }

private:
    Journal& journal_;
};

class FakeMci : public IMci {
public:
    explicit FakeMci(Journal& journal) : journal_(journal) {}

    std::uint32_t DeviceToOpen = 9;
    Ledger* ledger = nullptr;

    std::uint32_t SendString(const std::string& command) override {
        journal_.push_back("mciSendString " + command);
        return 0;
    }
    std::uint32_t Open(std::uint32_t flags, std::uint32_t deviceType, const std::string& element,
                       std::uint32_t& deviceId) override {
        journal_.push_back("MCI_OPEN " + Hex(flags) + " type " + std::to_string(deviceType) + " " + element);
        deviceId = DeviceToOpen;
        NoteTaken(ledger, "MCI device", deviceId);
        return 0;
    }
    std::uint32_t Command(std::uint32_t deviceId, std::uint32_t command, std::uint32_t flags) override {
        journal_.push_back("MCI " + Hex(command) + " device " + std::to_string(deviceId) + " flags " +
                           Hex(flags));
        if (command == 0x0804) { // MCI_CLOSE
            NoteGivenBack(ledger, "MCI device", deviceId);
        }
        return 0;
    }
    static std::string Hex(std::uint32_t v) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%X", v);
        return text;
    }

private:
    Journal& journal_;
};

class FakeVersion : public IVersion {
public:
    explicit FakeVersion(Journal& journal) : journal_(journal) {}
    bool Works = true;
    VersionInfo Info{5, 1, 2}; // Windows XP

    bool GetVersionEx(VersionInfo& info) override {
        journal_.push_back("GetVersionEx");
        if (Works) {
            info = Info;
        }
        return Works;
    }

private:
    Journal& journal_;
};

class FakeFiles : public IFileSystem {
public:
    std::string Executable = "C:\\Program Files\\Glidewing\\Glidewing.exe";
    std::set<std::string> Existing;

    std::string ExecutablePath() override { return Executable; }
    bool FileExists(const std::string& path) override { return Existing.count(path) != 0; }
};

class FakeShellLauncher : public IShell, public IDesktopWindow {
public:
    explicit FakeShellLauncher(Journal& journal) : journal_(journal) {}

    void Execute(WindowHandle owner, const std::string& verb, const std::string& file, int show) override {
        journal_.push_back("ShellExecute " + std::to_string(owner.value) + " " + verb + " " + file + " " +
                           std::to_string(show));
    }
    void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
        journal_.push_back("PostToDesktop " + FakeMci::Hex(message) + " " +
                           FakeMci::Hex(static_cast<std::uint32_t>(wParam)) + " " + std::to_string(lParam));
    }

private:
    Journal& journal_;
};

// The settings file: a map of section/key to text, and the order of every write.
class FakeProfile : public IProfileFile {
public:
    explicit FakeProfile(Journal& journal) : journal_(journal) {}

    std::map<std::pair<std::string, std::string>, std::string> Values;
    std::vector<std::string> Writes; // "Section/Key=value" in call order
    std::set<std::string> Paths;
    std::string FailAtKey; // a write of this key fails
    std::function<void()> OnWrite;

    std::string Read(const std::string& path, const std::string& section, const std::string& key,
                     const std::string& fallback) override {
        Paths.insert(path);
        journal_.push_back("ReadProfile " + section + "/" + key);
        const auto found = Values.find({section, key});
        return found == Values.end() ? fallback : found->second;
    }
    bool Write(const std::string& path, const std::string& section, const std::string& key,
               const std::string& value) override {
        Paths.insert(path);
        if (OnWrite) {
            OnWrite();
        }
        if (key == FailAtKey) {
            return false;
        }
        Writes.push_back(section + "/" + key + "=" + value);
        Values[{section, key}] = value;
        return true;
    }
    std::vector<std::string> Keys(const std::string& path, const std::string& section) override {
        Paths.insert(path);
        std::vector<std::string> keys;
        for (const auto& [where, value] : Values) {
            if (where.first == section) {
                keys.push_back(where.second);
            }
        }
        return keys;
    }
    bool Remove(const std::string& path, const std::string& section, const std::string& key) override {
        Paths.insert(path);
        if (key == FailAtKey) {
            return false;
        }
        Writes.push_back(section + "/" + key + " deleted");
        Values.erase({section, key});
        return true;
    }
    std::string Value(const std::string& section, const std::string& key) const {
        const auto found = Values.find({section, key});
        return found == Values.end() ? "<none>" : found->second;
    }
    // The text a new file gets from the writes recorded: the sections in the order they were first
    // written, each key on its line in the order it was first written, with its last value.
    std::string WrittenText() const {
        std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> sections;
        for (const std::string& write : Writes) {
            const std::size_t slash = write.find('/');
            const std::size_t equals = write.find('=', slash);
            const std::string section = write.substr(0, slash);
            const std::string key = equals == std::string::npos
                                        ? write.substr(slash + 1, write.rfind(" deleted") - slash - 1)
                                        : write.substr(slash + 1, equals - slash - 1);
            auto at = std::find_if(sections.begin(), sections.end(),
                                   [&](const auto& s) { return s.first == section; });
            if (at == sections.end()) {
                at = sections.insert(sections.end(), {section, {}});
            }
            auto& keys = at->second;
            const auto line =
                std::find_if(keys.begin(), keys.end(), [&](const auto& k) { return k.first == key; });
            if (equals == std::string::npos) {
                if (line != keys.end()) {
                    keys.erase(line);
                }
            } else if (line == keys.end()) {
                keys.emplace_back(key, write.substr(equals + 1));
            } else {
                line->second = write.substr(equals + 1);
            }
        }
        std::string text;
        for (const auto& [section, keys] : sections) {
            text += "[" + section + "]\r\n";
            for (const auto& [key, value] : keys) {
                text += key + "=" + value + "\r\n";
            }
        }
        return text;
    }

private:
    Journal& journal_;
};

// The two Run keys: HKLM's (keys 0x51 created, 0x52 opened) and HKCU's (0x61, 0x62). A refused
// root cannot be opened for writing, as HKLM for a standard user.
class FakeRegistry : public IRegistry {
public:
    explicit FakeRegistry(Journal& journal) : journal_(journal) {}

    bool MachineRefused = false;
    bool UserRefused = false;
    bool SetFails = false;
    std::map<std::string, std::string> RunValues;     // the values under HKLM's Run key
    std::map<std::string, std::string> UserRunValues; // under HKCU's
    Ledger* ledger = nullptr;

    RegistryKey Create(RegistryRoot root, const std::string& path, std::uint32_t access) override {
        journal_.push_back("RegCreateKeyEx " + Root(root) + " " + path + " " + FakeMci::Hex(access));
        return Opened(root, root == RegistryRoot::LocalMachine ? 0x51 : 0x61);
    }
    RegistryKey Open(RegistryRoot root, const std::string& path, std::uint32_t access) override {
        journal_.push_back("RegOpenKeyEx " + Root(root) + " " + path + " " + FakeMci::Hex(access));
        return Opened(root, root == RegistryRoot::LocalMachine ? 0x52 : 0x62);
    }
    bool SetString(RegistryKey key, const std::string& name, const std::string& data) override {
        journal_.push_back("RegSetValueEx " + name + " = " + data);
        if (SetFails) {
            return false;
        }
        Values(key)[name] = data;
        return true;
    }
    bool ValueExists(RegistryKey key, const std::string& name) override {
        journal_.push_back("RegQueryValueEx " + name);
        return Values(key).count(name) != 0;
    }
    bool DeleteValue(RegistryKey key, const std::string& name) override {
        journal_.push_back("RegDeleteValue " + name);
        return Values(key).erase(name) != 0;
    }
    void Close(RegistryKey key) override {
        journal_.push_back("RegCloseKey " + FakeMci::Hex(static_cast<std::uint32_t>(key.value)));
        NoteGivenBack(ledger, "registry key", key.value);
    }

private:
    RegistryKey Opened(RegistryRoot root, std::uintptr_t handle) {
        if (root == RegistryRoot::LocalMachine ? MachineRefused : UserRefused) {
            return {};
        }
        NoteTaken(ledger, "registry key", handle);
        return RegistryKey{handle};
    }
    std::map<std::string, std::string>& Values(RegistryKey key) {
        return key.value < 0x60 ? RunValues : UserRunValues;
    }
    static std::string Root(RegistryRoot root) {
        return root == RegistryRoot::LocalMachine ? "HKLM" : "HKCU";
    }
    Journal& journal_;
};

class FakeHtmlHelp : public IHtmlHelpEntry {
public:
    explicit FakeHtmlHelp(Journal& journal) : journal_(journal) {}

    std::uintptr_t Call(ProcAddress entry, WindowHandle caller, const char* file, std::uint32_t command,
                        std::uintptr_t data) override {
        if (command == 0x1C && data) {
            // The control stores a pointer-sized cookie through the address it is given.
            *reinterpret_cast<std::uintptr_t*>(data) = ~std::uintptr_t{0};
        }
        journal_.push_back(
            "HtmlHelpW#" + std::to_string(entry.value) + " " + std::to_string(caller.value) + " " +
            (file ? file : "<null>") + " " + FakeMci::Hex(command) + " " +
            (command == 0x1C ? std::string(data ? "&cookie" : "<null>") : std::to_string(data)));
        return 0;
    }

private:
    Journal& journal_;
};

class FakeCursorApi : public ICursorApi {
public:
    explicit FakeCursorApi(Journal& journal) : journal_(journal) {}

    CursorHandle LoadCursorResource(const char* name) override {
        journal_.push_back(std::string("LoadCursor ") + name);
        return CursorHandle{++minted_};
    }
    // Registered cursors are shared resources of the program; copies are counted until the
    // system takes them over (SetSystemCursor) or we destroy them.
    CursorHandle CopyCursor(CursorHandle) override {
        NoteTaken(ledger, "cursor copy", ++minted_);
        return CursorHandle{minted_};
    }
    void SetSystemCursor(CursorHandle copy, std::uint32_t systemId) override {
        journal_.push_back("SetSystemCursor " + std::to_string(systemId));
        NoteGivenBack(ledger, "cursor copy", copy.value);
    }
    void SetCursor(CursorHandle) override {}
    void ReloadSystemCursors() override { journal_.push_back("SPI_SETCURSORS"); }
    void DestroyCursor(CursorHandle copy) override { NoteGivenBack(ledger, "cursor copy", copy.value); }

    Ledger* ledger = nullptr;

private:
    Journal& journal_;
    std::uintptr_t minted_ = 0;
};

// The user's answers: the file chosen in the open dialog, the program under the cursor.
class FakePicking : public IOpenDialog, public IProgramAtCursor {
public:
    std::string Chosen;   // empty: the dialog is cancelled
    std::string AtCursor; // empty: no program there
    std::vector<std::string> Titles;
    std::vector<std::vector<std::string>> Patterns;

    std::string ChooseFile(WindowHandle, const std::string& title,
                           const std::vector<FileFilter>& filters) override {
        Titles.push_back(title);
        std::vector<std::string> patterns;
        for (const FileFilter& f : filters) {
            patterns.push_back(f.Pattern);
        }
        Patterns.push_back(patterns);
        return Chosen;
    }
    std::string ExecutableAtCursor() override { return AtCursor; }
};

struct ShownBox {
    std::string Text;
    std::string Caption;
    std::uint32_t Flags;
    friend bool operator==(const ShownBox&, const ShownBox&) = default;
};

class FakeMessageBox : public IMessageBox, public IMessagePump {
public:
    std::vector<ShownBox> Shown;
    int Pumped = 0;

    int Show(WindowHandle, const std::string& text, const std::string& caption,
             std::uint32_t flags) override {
        Shown.push_back({text, caption, flags});
        return 1;
    }
    void ProcessMessages() override { ++Pumped; }
};

class FakeFormView : public TForm::View {
public:
    WindowHandle Window{0x5150};
    int Closes = 0;

    void FormChanged(TForm&) override {}
    WindowHandle HandleNeeded(TForm&) override { return Window; }
    void CloseRequested(TForm&) override { ++Closes; }
};

// The whole set, wired into a real TMainForm. Starts as a first start on Windows XP with every
// library beside the program, no settings file, no optical drive.
struct MainFormRig {
    Journal journal;
    FakeLibraries libraries{journal};
    FakeSection section{journal};
    FakeSystemParameters parameters{journal};
    FakeDrives drives{journal};
    FakeMci mci{journal};
    FakeVersion version{journal};
    FakeFiles files;
    FakeShellLauncher shell{journal};
    FakeProfile profile{journal};
    FakeRegistry registry{journal};
    FakeHtmlHelp htmlHelp{journal};
    FakeCursorApi cursors{journal};
    FakeMessageBox boxes;
    FakeFormView formView;
    TApplication application{boxes, boxes};
    // The features' own seams: the scroll engine's windows and input, PopDesk's screen, shell and
    // pictures. Their behaviour has its own tests; here they only have to be there.
    FakeWindowQueries windows;
    FakeScrollWorld scrollWorld;
    Log deskLog;
    FakeScreen deskScreen{deskLog};
    FakeShell deskShell{deskLog};
    FakeIcons deskIcons{deskLog};
    FakePicking picking;
    // Every handle, copy, object and allocation the fakes hand out, and what came back.
    Ledger ledger;
    CrashRecord crash;
    // The seams as the form gets them; a test may make a form of its own from them.
    MainFormSeams Seams() {
        return MainFormSeams{libraries, section, parameters,  drives,      mci,        version,
                             files,     shell,   shell,       profile,     registry,   htmlHelp,
                             cursors,   windows, scrollWorld, scrollWorld, deskScreen, deskShell,
                             deskIcons, crash,   picking,     picking};
    }
    TMainForm form{application, Seams()};

    MainFormRig() {
        libraries.Available["GWHooks.dll"] = {"KeyboardHookOn", "KeyboardHookOff", "MouseHookOn",
                                              "MouseHookOff"};
        libraries.Available["Tools.dll"] = {"LockTheComputer"};
        form.SetView(&formView);
        libraries.ledger = section.ledger = mci.ledger = registry.ledger = cursors.ledger = &ledger;
        scrollWorld.ledger = deskShell.ledger = deskIcons.ledger = &ledger;
    }

    // Creates the form the way the program does: errors go to the error box, the program runs on.
    void Start() {
        application.Dispatch([this] { form.FormCreate(); });
    }
    // Runs a handler the way a window event does.
    void Do(const std::function<void()>& handler) { application.Dispatch(handler); }

    // The journal from a given entry on, keeping only the entries with one of the prefixes.
    std::vector<std::string> Calls(std::initializer_list<const char*> prefixes, std::size_t from = 0) const {
        std::vector<std::string> out;
        for (std::size_t i = from; i < journal.size(); ++i) {
            for (const char* prefix : prefixes) {
                if (journal[i].rfind(prefix, 0) == 0) {
                    out.push_back(journal[i]);
                    break;
                }
            }
        }
        return out;
    }
    bool Called(const std::string& entry) const {
        return std::find(journal.begin(), journal.end(), entry) != journal.end();
    }
    void ClearRecords() {
        journal.clear();
        profile.Writes.clear();
        boxes.Shown.clear();
    }
};

} // namespace gw::test

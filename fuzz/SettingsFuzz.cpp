// Arbitrary GWing.ini text through the real start-up (LoadSettings, then ApplySettings), an OK of
// the configuration window (SaveSettings, ApplySettings) and a second start from what was saved.
// The input is read the way the profile API reads a file: "[Section]" lines and "key=value"
// lines, names without regard to case, blanks around values trimmed, the first key of a name wins.

#include "app/SettingTable.h"
#include "tests/app/Fakes.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using gw::test::MainFormRig;

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    const std::size_t last = text.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The form asks for the keys by their exact names; the profile API would match any case.
std::string Canonical(const std::string& name) {
    const auto same = [&](const std::string& known) {
        return known.size() == name.size() &&
               std::equal(known.begin(), known.end(), name.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) ==
                          std::tolower(static_cast<unsigned char>(b));
               });
    };
    for (const gw::SettingRow& row : gw::SettingTable()) {
        if (same(row.Section)) {
            return row.Section;
        }
        if (same(row.Key)) {
            return row.Key;
        }
    }
    return name;
}

void ReadIni(const std::string& text, gw::test::FakeProfile& profile) {
    std::string section;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string line = Trim(text.substr(at, end - at));
        at = end + 1;
        if (line.size() >= 2 && line.front() == '[') {
            const std::size_t close = line.find(']');
            section =
                Canonical(Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
        } else if (const std::size_t equals = line.find('=');
                   equals != std::string::npos && !section.empty()) {
            profile.Values.emplace(std::make_pair(section, Canonical(Trim(line.substr(0, equals)))),
                                   Trim(line.substr(equals + 1)));
        }
    }
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MainFormRig first;
    ReadIni(std::string(reinterpret_cast<const char*>(data), size), first.profile);
    first.Start();
    gw::TMainForm& f = first.form;
    // Whatever the file said, start-up ends in a state the features can work with.
    Check(first.boxes.Shown.empty());
    Check(f.Runtime.ActivateButton <= gw::MouseButton::Right);
    Check(f.Runtime.SpeedX >= 0 && f.Runtime.SpeedX <= 60 && f.Runtime.SpeedY >= 0 && f.Runtime.SpeedY <= 60);
    Check(f.Runtime.PopDeskDelay >= 100 && f.Runtime.PopDeskDelay <= 5000);
    Check(first.section.Record.ActivateButton == static_cast<std::uint8_t>(f.Runtime.ActivateButton));

    // OK writes every key from the controls, and the Applications section after them; a start
    // from that file writes the same again.
    first.profile.Values.clear();
    first.Do([&] { f.ConfigureItem.Click(); });
    first.Do([&] { f.OkButton.Click(); });
    const auto applications =
        std::find_if(first.profile.Writes.begin(), first.profile.Writes.end(),
                     [](const std::string& w) { return w.rfind("Applications/", 0) == 0; });
    Check(applications - first.profile.Writes.begin() ==
          static_cast<std::ptrdiff_t>(gw::SettingTable().size()));
    Check(std::all_of(applications, first.profile.Writes.end(),
                      [](const std::string& w) { return w.rfind("Applications/", 0) == 0; }));

    MainFormRig second;
    second.profile.Values = first.profile.Values;
    second.Start();
    second.Do([&] { second.form.SaveSettings(); });
    Check(second.profile.Writes == first.profile.Writes);
    return 0;
}

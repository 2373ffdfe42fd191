#include "settings/Applications.h"

#include "shared/AsideShare.h"

#include <algorithm>
#include <utility>

namespace gw {

namespace {

constexpr char kFullScreenAsideKey[] = "FullScreenAside";
constexpr char kExcludePrefix[] = "Exclude";
constexpr int kLargestKeyNumber = 99999;

bool Listed(const std::vector<std::string>& list, const std::string& name) {
    return std::any_of(list.begin(), list.end(), [&](const std::string& entry) {
        return SameProgramName(name.c_str(), entry.c_str(), static_cast<std::uint32_t>(entry.size() + 1));
    });
}

} // namespace

AddProgramResult AddProgram(std::vector<std::string>& list, const std::string& path) {
    const std::string name = FileNamePart(path.c_str());
    if (name.empty() || name.size() > kAsideNameMaxLength) {
        return AddProgramResult::NotAName;
    }
    if (Listed(list, name)) {
        return AddProgramResult::AlreadyListed;
    }
    if (list.size() >= kAsideMaxPrograms) {
        return AddProgramResult::ListFull;
    }
    list.push_back(name);
    return AddProgramResult::Added;
}

int ExcludeKeyNumber(const std::string& key) {
    const std::size_t prefix = sizeof kExcludePrefix - 1;
    if (key.size() <= prefix || key.size() > prefix + 5 || key[prefix] == '0') {
        return 0;
    }
    for (std::size_t i = 0; i < prefix; ++i) {
        if (FoldCase(key[i]) != FoldCase(kExcludePrefix[i])) {
            return 0;
        }
    }
    int number = 0;
    for (std::size_t i = prefix; i < key.size(); ++i) {
        if (key[i] < '0' || key[i] > '9') {
            return 0;
        }
        number = number * 10 + (key[i] - '0');
    }
    return number <= kLargestKeyNumber ? number : 0;
}

ApplicationSettings ReadApplicationSettings(SettingsFile& file) {
    ApplicationSettings settings;
    settings.FullScreenAside = file.ReadBool(kApplicationsSection, kFullScreenAsideKey, true);
    std::vector<std::pair<int, std::string>> numbered;
    for (const std::string& key : file.Keys(kApplicationsSection)) {
        if (const int number = ExcludeKeyNumber(key)) {
            numbered.emplace_back(number, key);
        }
    }
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [number, key] : numbered) {
        const std::string name = file.ReadText(kApplicationsSection, key);
        // Only a bare file name counts: what AddProgram would make of it must be the entry itself.
        if (name == FileNamePart(name.c_str())) {
            AddProgram(settings.Excluded, name);
        }
    }
    return settings;
}

void WriteApplicationSettings(SettingsFile& file, const ApplicationSettings& settings) {
    file.WriteBool(kApplicationsSection, kFullScreenAsideKey, settings.FullScreenAside);
    const int count = static_cast<int>(settings.Excluded.size());
    for (int i = 0; i < count; ++i) {
        file.WriteText(kApplicationsSection, kExcludePrefix + std::to_string(i + 1),
                       settings.Excluded[static_cast<std::size_t>(i)]);
    }
    for (const std::string& key : file.Keys(kApplicationsSection)) {
        if (ExcludeKeyNumber(key) > count) {
            file.Remove(kApplicationsSection, key);
        }
    }
}

} // namespace gw

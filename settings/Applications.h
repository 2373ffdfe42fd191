#pragma once
// The Applications settings: the programs in which Glidewing stands aside, by executable file name,
// and whether it also stands aside while a full-screen program is in front. In the settings file
// they are the section "Applications", after the other sections: FullScreenAside (boolean, default
// 1) and Exclude1, Exclude2, ... (one file name each).

#include "settings/SettingsFile.h"

#include <string>
#include <vector>

namespace gw {

inline constexpr char kApplicationsSection[] = "Applications";

struct ApplicationSettings {
    std::vector<std::string> Excluded; // file names, no two alike without regard to case
    bool FullScreenAside = true;
    friend bool operator==(const ApplicationSettings&, const ApplicationSettings&) = default;
};

enum class AddProgramResult { Added, AlreadyListed, NotAName, ListFull };

// Adds the program a path (or a bare file name) names, by its file name. Names that are empty or
// longer than the shared record's slots are no names; the list holds at most 32.
AddProgramResult AddProgram(std::vector<std::string>& list, const std::string& path);

// The number N of a key "ExcludeN" (any case, N from 1 without leading zeros); 0 for any other key.
int ExcludeKeyNumber(const std::string& key);

// Reads the section: the Exclude keys in the order of their numbers; unknown keys, and entries that
// are empty, overlong, repeated or past the 32nd, are skipped.
ApplicationSettings ReadApplicationSettings(SettingsFile& file);

// Writes FullScreenAside and Exclude1..N, then deletes the Exclude keys numbered past N, so that a
// removed entry does not come back. Unknown keys stay as they are.
void WriteApplicationSettings(SettingsFile& file, const ApplicationSettings& settings);

} // namespace gw

#pragma once
// The program's side of the stand-aside record (shared/AsideShare.h): one writable view, kept for
// the program's lifetime. Until start-up has created the record every store is skipped, so no
// caller needs to ask first.

#include "shared/AsideShare.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gw {

class AsideShareWriter {
public:
    // Takes the view of a new record and starts its generation at seed (made even), so that
    // verdicts kept from an earlier run of the program do not match.
    void Attach(AsideShare* view, std::uint32_t seed);
    void Detach() { view_ = nullptr; }
    bool Exists() const { return view_ != nullptr; }

    // Puts the list and the full-screen switch into the record. The names move on (and with them
    // the generation) only when they differ from what the record holds; names that do not fit a
    // slot and names past the 32nd are left out.
    void Publish(const std::vector<std::string>& names, bool fullScreenAside);

private:
    bool Holds(const std::vector<std::string>& names) const;

    AsideShare* view_ = nullptr;
};

} // namespace gw

#pragma once
// What the fakes handed out and got back, by kind (library, cursor copy, COM object, ...): a
// token taken twice or given back without being held is a fault of its own. The leak checks
// compare what is outstanding before and after a run.

#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace gw::test {

class Ledger {
public:
    void Take(const std::string& kind, std::uintptr_t token) {
        ++taken_[kind];
        if (!held_[kind].insert(token).second) {
            ++faults_[kind + " taken twice"];
        }
    }
    void GiveBack(const std::string& kind, std::uintptr_t token) {
        if (held_[kind].erase(token) == 0) {
            ++faults_[kind + " given back unheld"];
        }
    }
    // Outstanding tokens by kind (kinds with none left included, once seen).
    std::map<std::string, std::size_t> Outstanding() const {
        std::map<std::string, std::size_t> out;
        for (const auto& [kind, tokens] : held_) {
            out[kind] = tokens.size();
        }
        return out;
    }
    const std::map<std::string, long>& Taken() const { return taken_; }
    const std::map<std::string, long>& Faults() const { return faults_; }

private:
    std::map<std::string, std::set<std::uintptr_t>> held_;
    std::map<std::string, long> taken_;
    std::map<std::string, long> faults_;
};

// The fakes hold an optional ledger; most tests leave it out.
inline void NoteTaken(Ledger* ledger, const char* kind, std::uintptr_t token) {
    if (ledger) {
        ledger->Take(kind, token);
    }
}
inline void NoteGivenBack(Ledger* ledger, const char* kind, std::uintptr_t token) {
    if (ledger) {
        ledger->GiveBack(kind, token);
    }
}

} // namespace gw::test

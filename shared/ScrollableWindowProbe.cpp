#include "shared/ScrollableWindowProbe.h"

#include "shared/Win32Values.h"

#include <array>
#include <bit>
#include <cstddef>

namespace gw {

namespace {

constexpr std::size_t kRuleCount = std::size(kScrollClassRules);
static_assert(kRuleCount <= 16, "the rule scan keeps one bit per rule: widen kRulesStartingWith");
static_assert(
    [] {
        for (const ScrollClassRule& rule : kScrollClassRules) {
            if (rule.part == nullptr || rule.part[0] == '\0') {
                return false;
            }
        }
        return true;
    }(),
    "a rule with an empty part would match every window");

// For each byte, the rules whose part begins with it. The scan then looks at each character of a
// class name once instead of once per rule, and most characters begin no rule at all.
constexpr std::array<std::uint16_t, 256> kRulesStartingWith = [] {
    std::array<std::uint16_t, 256> table{};
    for (std::size_t i = 0; i < kRuleCount; ++i) {
        table[static_cast<unsigned char>(kScrollClassRules[i].part[0])] |=
            static_cast<std::uint16_t>(1u << i);
    }
    return table;
}();

bool StartsWith(const char* text, const char* part) {
    while (*part != '\0' && *text == *part) {
        ++text;
        ++part;
    }
    return *part == '\0';
}

} // namespace

const ScrollClassRule* MatchScrollClassRule(const char* className) {
    if (className == nullptr) {
        return nullptr;
    }
    // One pass over the name. A rule found at some position leaves only the rules before it in
    // the table in the running, so the earliest rule in table order wins wherever it occurs.
    std::uint32_t running = (1u << kRuleCount) - 1;
    const ScrollClassRule* found = nullptr;
    for (const char* at = className; *at != '\0' && running != 0; ++at) {
        std::uint32_t candidates = kRulesStartingWith[static_cast<unsigned char>(*at)] & running;
        while (candidates != 0) {
            const int index = std::countr_zero(candidates);
            candidates &= candidates - 1;
            if (StartsWith(at, kScrollClassRules[index].part)) {
                found = &kScrollClassRules[index];
                running = (1u << index) - 1;
                break;
            }
        }
    }
    return found;
}

OwnBarState ReadOwnBar(IWindowQueries& queries, WindowHandle window, std::int32_t objectId) {
    std::uint32_t state = 0;
    if (!queries.ScrollBarState(window, objectId, state)) {
        return {};
    }
    return {(state & win::kSTATE_SYSTEM_UNAVAILABLE) == 0, (state & win::kSTATE_SYSTEM_INVISIBLE) == 0};
}

ScrollableWindowFindings ProbeScrollableWindow(IWindowQueries& queries, WindowHandle window,
                                               WheelParentRule wheelParent) {
    ScrollableWindowFindings found;
    {
        char name[kClassNameBufferSize];
        ReadClassName(queries, window, name);
        if (const ScrollClassRule* rule = MatchScrollClassRule(name)) {
            found.ClassRule = rule;
            found.WheelTarget = rule->scrollable;
            found.Scrollable = rule->scrollable;
            return found;
        }
    }

    // A standard bar of the window itself counts when it is both enabled and shown.
    const OwnBarState horz = ReadOwnBar(queries, window, win::kOBJID_HSCROLL);
    const OwnBarState vert = ReadOwnBar(queries, window, win::kOBJID_VSCROLL);
    found.HorzBarEnabled = horz.Enabled;
    found.HorzBarVisible = horz.Visible;
    found.VertBarEnabled = vert.Enabled;
    found.VertBarVisible = vert.Visible;
    found.CanScrollHorz = horz.Usable();
    found.CanScrollVert = vert.Usable();
    if (found.Any()) {
        found.Scrollable = true;
        return found;
    }

    const WindowHandle parent = queries.Parent(window);
    if (!parent) {
        return found; // a top-level window has no siblings worth walking
    }
    {
        char parentName[kClassNameBufferSize];
        ReadClassName(queries, parent, parentName);
        // Such a pane takes wheel messages; its bars are separate controls beside it.
        if (ClassNameContains(parentName, kWheelParentPart)) {
            found.WheelTarget = true;
            if (wheelParent == WheelParentRule::AcceptAtOnce) {
                found.Scrollable = true;
                return found;
            }
        }
    }

    ScanSiblingScrollBars(queries, window, found);
    found.Scrollable = found.Any();
    return found;
}

} // namespace gw

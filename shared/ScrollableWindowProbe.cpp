#include "shared/ScrollableWindowProbe.h"

#include "shared/Win32Values.h"

#include <array>
#include <bit>
#include <cstddef>
#include <type_traits>

namespace gw {

namespace {

constexpr std::size_t kRuleCount = std::size(kScrollClassRules);
static_assert(kRuleCount <= 32, "the rule scan keeps one bit per rule: widen RuleMask");
// One bit per rule, in as few bytes as the table needs: the tables below live in GWHooks.dll.
using RuleMask = std::conditional_t<kRuleCount <= 8, std::uint8_t,
                                    std::conditional_t<kRuleCount <= 16, std::uint16_t, std::uint32_t>>;

constexpr int PartLength(const char* part) {
    int length = 0;
    while (part[length] != '\0') {
        ++length;
    }
    return length;
}

// No rule's part is shorter than this: a name has no rule at its last kShortestPart - 1 places,
// and a shorter name (most of them: "Button", "Edit") none at all.
constexpr int kShortestPart = [] {
    int shortest = kClassNameBufferSize;
    for (const ScrollClassRule& rule : kScrollClassRules) {
        shortest = PartLength(rule.part) < shortest ? PartLength(rule.part) : shortest;
    }
    return shortest;
}();
static_assert(kShortestPart >= 2, "a rule's part needs two characters (and one would match far too much)");

// For each byte, the rules whose part has it as its first (at) or second (next) character. The
// scan looks at each place of a name once and tries a rule only where both characters fit, which
// almost never happens by chance.
struct RuleStarts {
    std::array<RuleMask, 256> at{};
    std::array<RuleMask, 256> next{};
};
constexpr RuleStarts kRuleStarts = [] {
    RuleStarts starts;
    for (std::size_t i = 0; i < kRuleCount; ++i) {
        const auto bit = static_cast<RuleMask>(1u << i);
        starts.at[static_cast<unsigned char>(kScrollClassRules[i].part[0])] |= bit;
        starts.next[static_cast<unsigned char>(kScrollClassRules[i].part[1])] |= bit;
    }
    return starts;
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
    return className == nullptr ? nullptr : MatchScrollClassRule(className, PartLength(className));
}

const ScrollClassRule* MatchScrollClassRule(const char* className, int length) {
    // One pass over the places where a part still fits. A rule found at some place leaves only the
    // rules before it in the table in the running, so the earliest rule in table order wins
    // wherever it occurs.
    std::uint32_t running = static_cast<std::uint32_t>((std::uint64_t{1} << kRuleCount) - 1);
    const ScrollClassRule* found = nullptr;
    const auto* name = reinterpret_cast<const unsigned char*>(className);
    for (int place = 0; place <= length - kShortestPart; ++place) {
        std::uint32_t candidates = kRuleStarts.at[name[place]] & kRuleStarts.next[name[place + 1]] & running;
        while (candidates != 0) {
            const int index = std::countr_zero(candidates);
            candidates &= candidates - 1;
            if (StartsWith(className + place, kScrollClassRules[index].part)) {
                found = &kScrollClassRules[index];
                running = (1u << index) - 1;
                break;
            }
        }
        if (running == 0) {
            break; // the first rule of the table has been found
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
    // Kept for the walk at the end, which visits the window among its siblings.
    char name[kClassNameBufferSize];
    const int length = ReadClassName(queries, window, name);
    if (const ScrollClassRule* rule = MatchScrollClassRule(name, length)) {
        found.ClassRule = rule;
        found.WheelTarget = rule->scrollable;
        found.Scrollable = rule->scrollable;
        return found;
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
        const int parentLength = ReadClassName(queries, parent, parentName);
        // Such a pane takes wheel messages; its bars are separate controls beside it.
        if (ClassNameContains(parentName, parentLength, kWheelParentPart, sizeof kWheelParentPart - 1)) {
            found.WheelTarget = true;
            if (wheelParent == WheelParentRule::AcceptAtOnce) {
                found.Scrollable = true;
                return found;
            }
        }
    }

    ScanSiblingScrollBars(queries, window, found, name, length);
    found.Scrollable = found.Any();
    return found;
}

} // namespace gw

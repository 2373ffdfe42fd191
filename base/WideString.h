#pragma once
// The program's strings are UTF-8; the Win32 seams that touch paths and program names hand them to
// the system's wide calls and take the system's wide answers back (shared/WideText.h). These are
// the two directions for whole strings: `WideString` is std::wstring on Windows, std::u16string in
// the tests.

#include "shared/WideText.h"

#include <cstdint>
#include <string>

namespace gw {

template <class WideString> WideString ToWide(const std::string& text) {
    using Unit = typename WideString::value_type;
    const auto length = static_cast<std::uint32_t>(text.size());
    WideString wide(WideFromUtf8<Unit>(text.data(), length, nullptr, 0), Unit{});
    // The string's own terminating zero takes the converter's.
    WideFromUtf8(text.data(), length, wide.data(), static_cast<std::uint32_t>(wide.size() + 1));
    return wide;
}

template <class Unit> std::string FromWide(const Unit* text, std::size_t length) {
    const auto units = static_cast<std::uint32_t>(length);
    std::string narrow(Utf8FromWide(text, units, nullptr, 0), '\0');
    Utf8FromWide(text, units, narrow.data(), static_cast<std::uint32_t>(narrow.size() + 1));
    return narrow;
}

template <class WideString> std::string FromWide(const WideString& text) {
    return FromWide(text.data(), text.size());
}

} // namespace gw

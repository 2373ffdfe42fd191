#pragma once
// Text between the system's wide (UTF-16) strings and the UTF-8 that Glidewing keeps everywhere
// else. Paths and program names travel as UTF-8 inside the program and through the stand-aside
// record, and meet the system only through its wide calls, so a folder such as "C:\Программы" or
// a profile such as "C:\Users\王芳" works whatever the ANSI code page is. A lone surrogate (file
// names may hold one) is kept as a three-byte sequence, so every wide name comes back unchanged.
//
// Heap-free and without the C runtime: the hook library uses it too. `Unit` is the system's wide
// character (wchar_t on Windows) or char16_t.

#include <cstdint>

namespace gw {

// What the converters answer when the text does not fit the room given.
inline constexpr std::uint32_t kTextDoesNotFit = 0xFFFFFFFFu;

namespace text_detail {

constexpr bool IsHighSurrogate(std::uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool IsLowSurrogate(std::uint32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
constexpr bool IsContinuation(std::uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

// Writes into out while there is room; counts in any case. A null out only counts.
template <class T> class Sink {
public:
    constexpr Sink(T* out, std::uint32_t size) : out_(out), size_(size) {}
    constexpr void Put(std::uint32_t value) {
        if (out_ != nullptr && count_ < size_) {
            out_[count_] = static_cast<T>(value);
        }
        ++count_;
    }
    // The count without the terminating zero, which is written too; kTextDoesNotFit when text
    // and zero do not both fit (then out holds an empty text, where it has any room).
    constexpr std::uint32_t Finish() {
        if (out_ == nullptr) {
            return count_;
        }
        if (count_ >= size_) {
            if (size_ > 0) {
                out_[0] = T{};
            }
            return kTextDoesNotFit;
        }
        out_[count_] = T{};
        return count_;
    }

private:
    T* out_;
    std::uint32_t size_;
    std::uint32_t count_ = 0;
};

} // namespace text_detail

// The UTF-8 form of `length` wide units, zero-terminated into `out` (room for `size` bytes): the
// bytes written without the zero, or kTextDoesNotFit. With a null out: the bytes it needs.
template <class Unit>
constexpr std::uint32_t Utf8FromWide(const Unit* text, std::uint32_t length, char* out, std::uint32_t size) {
    using namespace text_detail;
    Sink<char> sink(out, size);
    for (std::uint32_t i = 0; i < length; ++i) {
        std::uint32_t code = static_cast<std::uint32_t>(text[i]) & 0xFFFFu;
        if (IsHighSurrogate(code) && i + 1 < length) {
            const std::uint32_t next = static_cast<std::uint32_t>(text[i + 1]) & 0xFFFFu;
            if (IsLowSurrogate(next)) {
                code = 0x10000u + ((code - 0xD800u) << 10) + (next - 0xDC00u);
                ++i;
            }
        }
        if (code < 0x80) {
            sink.Put(code);
        } else if (code < 0x800) {
            sink.Put(0xC0 | (code >> 6));
            sink.Put(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            sink.Put(0xE0 | (code >> 12));
            sink.Put(0x80 | ((code >> 6) & 0x3F));
            sink.Put(0x80 | (code & 0x3F));
        } else {
            sink.Put(0xF0 | (code >> 18));
            sink.Put(0x80 | ((code >> 12) & 0x3F));
            sink.Put(0x80 | ((code >> 6) & 0x3F));
            sink.Put(0x80 | (code & 0x3F));
        }
    }
    return sink.Finish();
}

// The wide form of `length` bytes of UTF-8, zero-terminated into `out` (room for `size` units):
// the units written without the zero, or kTextDoesNotFit. A byte that starts no whole sequence
// (text from elsewhere, cut short or in another encoding) stands for U+FFFD. With a null out:
// the units it needs.
template <class Unit>
constexpr std::uint32_t WideFromUtf8(const char* text, std::uint32_t length, Unit* out, std::uint32_t size) {
    using namespace text_detail;
    Sink<Unit> sink(out, size);
    std::uint32_t i = 0;
    while (i < length) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        // The sequence's length, the smallest code it may carry (shorter forms are forged), and
        // the bits of its lead byte.
        std::uint32_t extra = 0;
        std::uint32_t least = 0;
        std::uint32_t code = lead;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            least = 0x80;
            code = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            least = 0x800;
            code = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            least = 0x10000;
            code = lead & 0x07u;
        } else if (lead >= 0x80) {
            code = 0xFFFD; // a continuation byte, or a lead that no code needs
        }
        bool whole = i + extra < length;
        for (std::uint32_t k = 1; whole && k <= extra; ++k) {
            const auto byte = static_cast<std::uint8_t>(text[i + k]);
            whole = IsContinuation(byte);
            code = (code << 6) | (byte & 0x3Fu);
        }
        if (!whole || code < least || code > 0x10FFFF) {
            sink.Put(0xFFFD);
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            sink.Put(0xD800 + ((code - 0x10000) >> 10));
            sink.Put(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            sink.Put(code);
        }
        i += extra + 1;
    }
    return sink.Finish();
}

// The UTF-8 form of a wide path's file name part (what follows its last '\', '/' or ':'),
// zero-terminated into `out`: its length, or 0 when it is empty or does not fit.
template <class Unit>
constexpr std::uint32_t Utf8FileName(const Unit* path, std::uint32_t length, char* out, std::uint32_t size) {
    std::uint32_t start = 0;
    for (std::uint32_t i = 0; i < length; ++i) {
        const std::uint32_t unit = static_cast<std::uint32_t>(path[i]) & 0xFFFFu;
        if (unit == '\\' || unit == '/' || unit == ':') {
            start = i + 1;
        }
    }
    const std::uint32_t written = Utf8FromWide(path + start, length - start, out, size);
    return written == kTextDoesNotFit ? 0 : written;
}

} // namespace gw

#include "shared/AsideShareWriter.h"

#include <atomic>
#include <cstring>

namespace gw {

namespace {

bool Fits(const std::string& name) {
    return !name.empty() && name.size() <= kAsideNameMaxLength;
}

} // namespace

void AsideShareWriter::Attach(AsideShare* view, std::uint32_t seed) {
    view_ = view;
    if (view_) {
        view_->Generation = seed & ~1u;
    }
}

bool AsideShareWriter::Holds(const std::vector<std::string>& names) const {
    std::uint32_t count = 0;
    for (const std::string& name : names) {
        if (!Fits(name) || count == kAsideMaxPrograms) {
            continue;
        }
        if (count >= view_->Count || name != view_->Names[count]) {
            return false;
        }
        ++count;
    }
    return count == view_->Count;
}

void AsideShareWriter::Publish(const std::vector<std::string>& names, bool fullScreenAside) {
    if (!view_) {
        return;
    }
    view_->FullScreenAside = fullScreenAside ? 1 : 0; // one byte, read afresh on every press
    if (Holds(names)) {
        return;
    }
    // Hooks read the record while it changes: an odd generation tells them the names are being
    // rewritten, and the final one that whatever they kept is out of date.
    volatile std::uint32_t& generation = view_->Generation;
    const std::uint32_t before = generation;
    generation = before + 1;
    std::atomic_thread_fence(std::memory_order_seq_cst);
    std::uint8_t count = 0;
    for (const std::string& name : names) {
        if (Fits(name) && count < kAsideMaxPrograms) {
            char(&slot)[kAsideNameSize] = view_->Names[count++];
            std::memset(slot, 0, sizeof slot);
            std::memcpy(slot, name.data(), name.size());
        }
    }
    for (std::uint32_t i = count; i < kAsideMaxPrograms; ++i) {
        std::memset(view_->Names[i], 0, kAsideNameSize);
    }
    view_->Count = count;
    std::atomic_thread_fence(std::memory_order_seq_cst);
    generation = before + 2;
}

} // namespace gw

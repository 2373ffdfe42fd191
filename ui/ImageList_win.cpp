#include "ui/ImageList_win.h"

namespace gw::win32 {

ImageListBinding::ImageListBinding(const TImageList& list, std::vector<int> resourceIds, int size)
    : list_(list), resourceIds_(std::move(resourceIds)), size_(size) {
    images_.Reset(
        ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, static_cast<int>(resourceIds_.size()), 0));
    for (int id : resourceIds_) {
        UniqueIcon icon(LoadIconResource(id, size));
        ImageList_AddIcon(images_.Get(), icon.Get()); // the list keeps its own copy
    }
}

HICON ImageListBinding::IconAt(int index, int size) const {
    if (index < 0 || index >= static_cast<int>(resourceIds_.size())) {
        return nullptr;
    }
    return LoadIconResource(resourceIds_[static_cast<std::size_t>(index)], size);
}

} // namespace gw::win32

#pragma once
// A real image list filled with icon resources of the program, for a TImageList.

#include "ui/Gdi_win.h"
#include "ui/ImageList.h"

#include <vector>

namespace gw::win32 {

class ImageListBinding {
public:
    // resourceIds: one icon resource per image, in image order. size: the drawn size in pixels
    // (the list's own size, scaled for the screen).
    ImageListBinding(const TImageList& list, std::vector<int> resourceIds, int size);

    const TImageList& List() const { return list_; }
    HIMAGELIST Handle() const { return images_.Get(); }
    int Size() const { return size_; }
    // A fresh icon of one image at the given size, loaded from its resource (the caller owns it).
    HICON IconAt(int index, int size) const;

private:
    const TImageList& list_;
    std::vector<int> resourceIds_;
    int size_;
    UniqueImageList images_;
};

} // namespace gw::win32

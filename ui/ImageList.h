#pragma once
// An image list as the portable side sees it: its name, image size and how many images it holds.
// The Win32 side fills the real list from the program's resources.

#include <string>

namespace gw {

class TImageList {
public:
    TImageList(std::string name, int width, int height, int count)
        : name_(std::move(name)), width_(width), height_(height), count_(count) {}

    const std::string& Name() const { return name_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return count_; }

private:
    std::string name_;
    int width_;
    int height_;
    int count_;
};

} // namespace gw

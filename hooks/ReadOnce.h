#pragma once
// The program rewrites the shared records (the record and the stand-aside list) at any moment, from
// another process: the hooks read each field they need exactly once per call, through this.

namespace gw {

template <class T> T ReadOnce(const T& field) {
    return *static_cast<const volatile T*>(&field);
}

} // namespace gw

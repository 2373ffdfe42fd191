#pragma once
// An owning token: a handle that one of the program's seams handed out, held together with the
// seam and the call that gives it back (a library with FreeLibrary, a shell object with Release).
// The owner gives it back where the program's order says, with Reset; should a path leave early,
// the destructor gives it back all the same. Not copyable; a move hands the ownership over.

#include <utility>

namespace gw {

template <class Seam, class Token, void (Seam::*GiveBack)(Token)> class Owned {
public:
    Owned() = default;
    Owned(Seam& seam, Token token) : seam_(&seam), token_(token) {}
    ~Owned() { Reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : seam_(other.seam_), token_(std::exchange(other.token_, Token{})) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            Reset();
            seam_ = other.seam_;
            token_ = std::exchange(other.token_, Token{});
        }
        return *this;
    }

    Token Get() const { return token_; }
    explicit operator bool() const { return static_cast<bool>(token_); }

    // Gives the token back now; nothing when none is held.
    void Reset() {
        if (token_) {
            (seam_->*GiveBack)(std::exchange(token_, Token{}));
        }
    }

private:
    Seam* seam_ = nullptr;
    Token token_{};
};

} // namespace gw

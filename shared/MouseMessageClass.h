#pragma once
// How the program reads a reported mouse message: a move, or a press or release of one of the
// three buttons, client area and frame alike. Everything else (double clicks, the wheel) has no
// class. The scroll engine dispatches by it; the cursor return after typing looks for presses.

#include "shared/Win32Values.h"

#include <cstdint>

namespace gw {

enum class MouseMessageKind { None, Move, Press, Release };

// The three buttons, numbered as the shared record and GWing.ini number the activation button.
enum class MouseButton : std::uint8_t { None = 0, Left = 1, Middle = 2, Right = 3 };

struct MouseMessageClass {
    MouseMessageKind kind = MouseMessageKind::None;
    MouseButton button = MouseButton::None; // None for a move or no class
};

constexpr MouseMessageClass ClassifyMouseMessage(std::uint32_t id) {
    switch (id) {
    case win::kWM_MOUSEMOVE:
    case win::kWM_NCMOUSEMOVE:
        return {MouseMessageKind::Move, MouseButton::None};
    case win::kWM_LBUTTONDOWN:
    case win::kWM_NCLBUTTONDOWN:
        return {MouseMessageKind::Press, MouseButton::Left};
    case win::kWM_LBUTTONUP:
    case win::kWM_NCLBUTTONUP:
        return {MouseMessageKind::Release, MouseButton::Left};
    case win::kWM_MBUTTONDOWN:
    case win::kWM_NCMBUTTONDOWN:
        return {MouseMessageKind::Press, MouseButton::Middle};
    case win::kWM_MBUTTONUP:
    case win::kWM_NCMBUTTONUP:
        return {MouseMessageKind::Release, MouseButton::Middle};
    case win::kWM_RBUTTONDOWN:
    case win::kWM_NCRBUTTONDOWN:
        return {MouseMessageKind::Press, MouseButton::Right};
    case win::kWM_RBUTTONUP:
    case win::kWM_NCRBUTTONUP:
        return {MouseMessageKind::Release, MouseButton::Right};
    default:
        return {};
    }
}

} // namespace gw

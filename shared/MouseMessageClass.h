#pragma once
// How the program reads a reported mouse message: a move, or a press or release of one of the
// three buttons, client area and frame alike. Everything else (double clicks, the wheel) has no
// class. The scroll engine dispatches by it; the cursor return after typing looks for presses.

#include "shared/Win32Values.h"

#include <cstdint>

namespace gw {

enum class MouseMessageKind { None, Move, Press, Release };

struct MouseMessageClass {
    MouseMessageKind kind = MouseMessageKind::None;
    std::uint8_t button = 0; // 1 left, 2 middle, 3 right; 0 for a move or no class
};

constexpr MouseMessageClass ClassifyMouseMessage(std::uint32_t id) {
    switch (id) {
    case win::kWM_MOUSEMOVE:
    case win::kWM_NCMOUSEMOVE:
        return {MouseMessageKind::Move, 0};
    case win::kWM_LBUTTONDOWN:
    case win::kWM_NCLBUTTONDOWN:
        return {MouseMessageKind::Press, 1};
    case win::kWM_LBUTTONUP:
    case win::kWM_NCLBUTTONUP:
        return {MouseMessageKind::Release, 1};
    case win::kWM_MBUTTONDOWN:
    case win::kWM_NCMBUTTONDOWN:
        return {MouseMessageKind::Press, 2};
    case win::kWM_MBUTTONUP:
    case win::kWM_NCMBUTTONUP:
        return {MouseMessageKind::Release, 2};
    case win::kWM_RBUTTONDOWN:
    case win::kWM_NCRBUTTONDOWN:
        return {MouseMessageKind::Press, 3};
    case win::kWM_RBUTTONUP:
    case win::kWM_NCRBUTTONUP:
        return {MouseMessageKind::Release, 3};
    default:
        return {};
    }
}

} // namespace gw

#pragma once
// SystemParametersInfoA for the settings that take a number and no data pointer, and the one
// query the program makes (whether a screen saver is active).

#include <cstdint>

namespace gw {

class ISystemParameters {
public:
    virtual ~ISystemParameters() = default;
    // SystemParametersInfoA(action, param, NULL, winIni).
    virtual bool Set(std::uint32_t action, std::uint32_t param, std::uint32_t winIni) = 0;
    // SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0); false when the call fails.
    virtual bool ScreenSaveActive(bool& active) = 0;
};

} // namespace gw

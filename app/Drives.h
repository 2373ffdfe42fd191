#pragma once
// Drive facts and the drive doors: GetDriveTypeA and the MCI calls (mciSendStringA,
// mciSendCommandA with MCI_OPEN / MCI_SET / MCI_CLOSE).

#include <cstdint>
#include <string>

namespace gw {

class IDrives {
public:
    virtual ~IDrives() = default;
    virtual std::uint32_t DriveType(const std::string& root) = 0; // GetDriveTypeA
};

class IMci {
public:
    virtual ~IMci() = default;
    // mciSendStringA with no return buffer and no callback window.
    virtual std::uint32_t SendString(const std::string& command) = 0;
    // mciSendCommandA(0, MCI_OPEN, flags, &params) with a zeroed MCI_OPEN_PARMSA whose device type
    // is deviceType (passed as the type number) and whose element name is element; deviceId gets
    // what the record holds afterwards (0 when the open failed).
    virtual std::uint32_t Open(std::uint32_t flags, std::uint32_t deviceType, const std::string& element,
                               std::uint32_t& deviceId) = 0;
    // mciSendCommandA(deviceId, command, flags, 0).
    virtual std::uint32_t Command(std::uint32_t deviceId, std::uint32_t command, std::uint32_t flags) = 0;
};

} // namespace gw

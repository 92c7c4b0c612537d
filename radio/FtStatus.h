#pragma once
// The status values and constants of the cable library (FTDI D2XX) that the
// cable link keeps and passes. Our transports speak the same
// numbers, so the stored cable status means the same whatever moves the
// bytes.

#include <cstdint>

namespace tavo {

using FtStatus = uint32_t;

enum : FtStatus {
    FT_OK = 0,
    FT_INVALID_HANDLE = 1,
    FT_DEVICE_NOT_FOUND = 2,
    FT_DEVICE_NOT_OPENED = 3,
    FT_IO_ERROR = 4,
    FT_INSUFFICIENT_RESOURCES = 5,
    FT_INVALID_PARAMETER = 6,
    FT_INVALID_BAUD_RATE = 7,
    FT_OTHER_ERROR = 18,
};

// Line settings.
enum : uint8_t {
    FT_BITS_8 = 8,
    FT_STOP_BITS_1 = 0,
    FT_PARITY_NONE = 0,
};
enum : uint16_t { FT_FLOW_NONE = 0x0000 };
enum : uint32_t {
    FT_PURGE_RX = 1,
    FT_PURGE_TX = 2,
    FT_LIST_NUMBER_ONLY = 0x80000000u,
    FT_LIST_BY_INDEX = 0x40000000u,
    FT_OPEN_BY_DESCRIPTION = 2,
};

// The constants of every connection.
constexpr uint32_t kCableBaudRate = 16406;       // 0x4016
constexpr uint32_t kCableReadTimeoutMs = 120;
constexpr uint32_t kCableWriteTimeoutMs = 120;
constexpr uint32_t kCablePurgeBoth = FT_PURGE_RX | FT_PURGE_TX; // 3
constexpr const char *kCableDescription = "Zerva Series CPS Cable";

// Text for a status value, for messages and logs.
const char *FtStatusName(FtStatus status);

} // namespace tavo

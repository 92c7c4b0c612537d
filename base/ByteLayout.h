#pragma once
// Small pure helpers for fixed byte layouts: little-endian integers inside
// the codeplug image, big-endian integers on the radio wire, bit fields.

#include <cstddef>
#include <cstdint>

namespace tavo {

inline uint32_t GetLE(const uint8_t *p, size_t width)
{
    uint32_t v = 0;
    for (size_t i = width; i-- > 0;)
        v = (v << 8) | p[i];
    return v;
}

inline void SetLE(uint8_t *p, size_t width, uint32_t v)
{
    for (size_t i = 0; i < width; ++i) {
        p[i] = static_cast<uint8_t>(v & 0xFF);
        v >>= 8;
    }
}

inline uint32_t GetBE(const uint8_t *p, size_t width)
{
    uint32_t v = 0;
    for (size_t i = 0; i < width; ++i)
        v = (v << 8) | p[i];
    return v;
}

inline void SetBE(uint8_t *p, size_t width, uint32_t v)
{
    for (size_t i = width; i-- > 0;) {
        p[i] = static_cast<uint8_t>(v & 0xFF);
        v >>= 8;
    }
}

inline bool GetBit(uint8_t byte, unsigned bit) { return (byte >> bit) & 1u; }

inline uint8_t WithBit(uint8_t byte, unsigned bit, bool on)
{
    return on ? static_cast<uint8_t>(byte | (1u << bit)) : static_cast<uint8_t>(byte & ~(1u << bit));
}

} // namespace tavo

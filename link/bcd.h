// Packed BCD: two decimal digits in one byte (23 <-> 0x23).
#pragma once

#include <cstdint>

namespace orlo {

// v in 0..255; two decimal digits for 0..99, kept to 8 bits beyond.
constexpr std::uint8_t toBcd(int v)
{
    return static_cast<std::uint8_t>(((v / 10) * 16 + v % 10) & 0xFF);
}

constexpr int fromBcd(std::uint8_t b)
{
    return (b % 16) + (b / 16 % 16) * 10;
}

} // namespace orlo

#pragma once
// The CRC-16 of LHA archives (polynomial 0x8005 reflected, initial value 0), used for member
// data and for the header check of level-2 headers.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvex2::detail::lha {

// Continues a running CRC over more bytes; start with 0.
uint16_t UpdateCrc16(uint16_t crc, const uint8_t* data, size_t size);

inline uint16_t Crc16(std::string_view bytes) {
  return UpdateCrc16(0, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace quorvex2::detail::lha

// The data files store every integer little-endian, whatever the machine's own byte order.
#pragma once

#include <cstdint>

namespace platform {

inline void Put16(std::uint8_t* out, std::uint16_t value) {
  out[0] = static_cast<std::uint8_t>(value);
  out[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void Put32(std::uint8_t* out, std::uint32_t value) {
  Put16(out, static_cast<std::uint16_t>(value));
  Put16(out + 2, static_cast<std::uint16_t>(value >> 16));
}

inline std::uint16_t Get16(const std::uint8_t* in) {
  return static_cast<std::uint16_t>(in[0] | (in[1] << 8));
}

inline std::uint32_t Get32(const std::uint8_t* in) {
  return Get16(in) | (static_cast<std::uint32_t>(Get16(in + 2)) << 16);
}

// Signed fields are stored in two's complement.
inline void PutInt16(std::uint8_t* out, std::int16_t value) {
  Put16(out, static_cast<std::uint16_t>(value));
}

inline void PutInt32(std::uint8_t* out, std::int32_t value) {
  Put32(out, static_cast<std::uint32_t>(value));
}

inline std::int16_t GetInt16(const std::uint8_t* in) {
  return static_cast<std::int16_t>(Get16(in));
}

inline std::int32_t GetInt32(const std::uint8_t* in) {
  return static_cast<std::int32_t>(Get32(in));
}

}  // namespace platform

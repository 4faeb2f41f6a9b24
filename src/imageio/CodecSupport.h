#pragma once

// Helpers shared by the picture codecs: error messages, size checks, little-endian fields.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "graphics/Bitmap32.h"

namespace velmora {

// Throws Error("<name>: <reason>").
[[noreturn]] void FailPicture(const std::string& name, const std::string& reason);

// Throws Error naming `name` unless both sides are at least 1 and the picture fits the program's
// limits (CheckPictureSize). Every reader calls it before it allocates pixels.
void CheckDecodedSize(int64_t width, int64_t height, const std::string& name);

// Every alpha byte := 255.
void MakeOpaque(Bitmap32& picture) noexcept;

// Little-endian fields; the caller has checked that the bytes are there.
inline uint16_t Le16(std::span<const uint8_t> b, size_t at) noexcept {
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
inline uint32_t Le32(std::span<const uint8_t> b, size_t at) noexcept {
  return uint32_t{b[at]} | (uint32_t{b[at + 1]} << 8) | (uint32_t{b[at + 2]} << 16) |
         (uint32_t{b[at + 3]} << 24);
}
inline void PutLe16(uint8_t* p, uint32_t v) noexcept {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void PutLe32(uint8_t* p, uint32_t v) noexcept {
  PutLe16(p, v);
  PutLe16(p + 2, v >> 16);
}

}  // namespace velmora

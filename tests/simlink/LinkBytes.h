#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

namespace tarnwick {

// Little-endian record bytes written out by hand, to compare with what the link sends.
inline std::vector<std::byte> LittleEndianWords(std::initializer_list<std::uint32_t> words) {
  std::vector<std::byte> bytes;
  for (const std::uint32_t word : words) {
    for (int shift = 0; shift < 32; shift += 8) {
      bytes.push_back(static_cast<std::byte>((word >> shift) & 0xFFu));
    }
  }
  return bytes;
}

inline std::vector<std::byte> Concatenate(std::initializer_list<std::vector<std::byte>> parts) {
  std::vector<std::byte> bytes;
  for (const auto& part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
  return bytes;
}

template <typename T>
std::span<std::byte> WritableBytes(T& value) {
  return std::as_writable_bytes(std::span<T, 1>(&value, 1));
}

}  // namespace tarnwick

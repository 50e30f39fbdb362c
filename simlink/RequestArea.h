#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tarnwick {

// The request area shared by the planner and the simulator's IPC server: records packed back to
// back from the start, every field little-endian, closed by four zero bytes.
inline constexpr std::size_t kRequestAreaSize = 0x8000;
// Bytes the client may fill, terminator included; the last 256 bytes stay unused.
inline constexpr std::size_t kRequestFillLimit = 0x7F00;

inline constexpr std::uint32_t kTerminatorRecord = 0;
inline constexpr std::uint32_t kReadRecord = 1;
inline constexpr std::uint32_t kWriteRecord = 2;

// A read record: type, offset, size, destination token, then the data the server fills in.
inline constexpr std::size_t kReadHeaderSize = 16;
// A write record: type, offset, size, then the data to write.
inline constexpr std::size_t kWriteHeaderSize = 12;
inline constexpr std::size_t kTerminatorSize = 4;

// Field positions within a record header.
inline constexpr std::size_t kRecordTypeField = 0;
inline constexpr std::size_t kRecordOffsetField = 4;
inline constexpr std::size_t kRecordSizeField = 8;
inline constexpr std::size_t kRecordTokenField = 12;

// The registered message that hands a batch to the server.
inline constexpr std::string_view kIpcMessageName = "FSASMLIB:IPC";

inline std::uint32_t LoadLittleEndian32(const std::byte* bytes) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | std::to_integer<std::uint32_t>(bytes[i]);
  return value;
}

inline std::uint16_t LoadLittleEndian16(const std::byte* bytes) {
  return static_cast<std::uint16_t>(std::to_integer<unsigned>(bytes[0]) |
                                    (std::to_integer<unsigned>(bytes[1]) << 8));
}

inline void StoreLittleEndian32(std::byte* bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::byte>((value >> (8 * i)) & 0xFFu);
}

}  // namespace tarnwick

#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "simlink/SimulatorOffsets.h"

namespace tarnwick {

// The value space of a substitute simulator: 64 KiB of bytes addressed by offset. Bytes beyond
// its end read as zero, and writes to them are dropped, as are writes to read-only bytes.
class SimulatorMemory {
 public:
  static constexpr std::size_t kSize = 0x10000;

  void Read(std::uint32_t offset, std::span<std::byte> out) const;
  void Write(std::uint32_t offset, std::span<const std::byte> in);
  std::int32_t ReadInt32(std::uint32_t offset) const;
  // Sets the value whether the bytes are read-only or not.
  void WriteInt32(std::uint32_t offset, std::int32_t value);
  void MakeReadOnly(std::uint32_t offset, std::size_t length);

 private:
  std::array<std::byte, kSize> bytes_{};
  std::bitset<kSize> readOnly_;
};

// What a substitute simulator reports: the server version at 0x3304, the simulator version code
// at 0x3308 under the upper half 0xFADE, and the aircraft's zero fuel weight at 0x3BFC in
// pounds x 256. The two version values are read-only: the client's own word at 0x330A does not
// change what 0x3308 reports.
struct SimulatorSetup {
  std::int32_t fsuipcVersion = 0x34500000;
  std::uint16_t simVersionCode = 7;
  std::int32_t zeroFuelWeightLbs = 40000;
};

inline constexpr std::int32_t kMaxZeroFuelWeightLbs = INT32_MAX / 256;
inline constexpr std::int32_t kMinZeroFuelWeightLbs = INT32_MIN / 256;

void LoadSimulatorSetup(SimulatorMemory& memory, const SimulatorSetup& setup);

// Called for each write record carried out, in order.
using WriteObserver = std::function<void(std::uint32_t offset, std::span<const std::byte> data)>;

// Carries out the records of a request area in order: fills each read from the memory and
// applies each write (read-only bytes stay as they are; onWrite still hears of every write).
// False when a record has an unknown type or does not fit in the area; the records before it
// have then been carried out.
bool CarryOutRequests(std::span<std::byte> area, SimulatorMemory& memory,
                      const WriteObserver& onWrite);

// One log line for an applied write: "write 0x0B7C size 4 value 4194304". Sizes 2 and 4 show
// their value as a signed integer, other sizes their bytes in hexadecimal.
std::string DescribeWrite(std::uint32_t offset, std::span<const std::byte> data);

}  // namespace tarnwick

#include "simstub/SubstituteSimulator.h"

#include <algorithm>
#include <cstring>
#include <iomanip>
#include <sstream>

#include "simlink/RequestArea.h"

namespace tarnwick {
namespace {

constexpr std::uint32_t kSimVersionSignature = 0xFADE0000u;

// The part of [offset, offset + length) that lies inside the memory, as a length.
std::size_t LengthInside(std::uint32_t offset, std::size_t length) {
  if (offset >= SimulatorMemory::kSize) return 0;
  return std::min(length, SimulatorMemory::kSize - offset);
}

std::int64_t SignedValue(std::span<const std::byte> data) {
  if (data.size() == 2) return static_cast<std::int16_t>(LoadLittleEndian16(data.data()));
  return static_cast<std::int32_t>(LoadLittleEndian32(data.data()));
}

}  // namespace

void SimulatorMemory::Read(std::uint32_t offset, std::span<std::byte> out) const {
  const std::size_t inside = LengthInside(offset, out.size());
  std::fill(out.begin(), out.end(), std::byte{0});
  if (inside > 0) std::memcpy(out.data(), bytes_.data() + offset, inside);
}

void SimulatorMemory::Write(std::uint32_t offset, std::span<const std::byte> in) {
  const std::size_t inside = LengthInside(offset, in.size());
  for (std::size_t i = 0; i < inside; ++i) {
    if (!readOnly_[offset + i]) bytes_[offset + i] = in[i];
  }
}

void SimulatorMemory::MakeReadOnly(std::uint32_t offset, std::size_t length) {
  const std::size_t inside = LengthInside(offset, length);
  for (std::size_t i = 0; i < inside; ++i) readOnly_.set(offset + i);
}

std::int32_t SimulatorMemory::ReadInt32(std::uint32_t offset) const {
  std::array<std::byte, 4> value{};
  Read(offset, value);
  return static_cast<std::int32_t>(LoadLittleEndian32(value.data()));
}

void SimulatorMemory::WriteInt32(std::uint32_t offset, std::int32_t value) {
  std::array<std::byte, 4> bytes{};
  StoreLittleEndian32(bytes.data(), static_cast<std::uint32_t>(value));
  const std::size_t inside = LengthInside(offset, bytes.size());
  if (inside > 0) std::memcpy(bytes_.data() + offset, bytes.data(), inside);
}

void LoadSimulatorSetup(SimulatorMemory& memory, const SimulatorSetup& setup) {
  memory.WriteInt32(kFsuipcVersionOffset, setup.fsuipcVersion);
  memory.WriteInt32(kSimVersionOffset,
                    static_cast<std::int32_t>(kSimVersionSignature | setup.simVersionCode));
  memory.WriteInt32(kZeroFuelWeightOffset, setup.zeroFuelWeightLbs * 256);
  memory.MakeReadOnly(kFsuipcVersionOffset, 8);
}

bool CarryOutRequests(std::span<std::byte> area, SimulatorMemory& memory,
                      const WriteObserver& onWrite) {
  std::size_t position = 0;
  while (position + kTerminatorSize <= area.size()) {
    std::byte* record = area.data() + position;
    const std::uint16_t type = LoadLittleEndian16(record);
    if (type == kTerminatorRecord) return true;
    if (type != kReadRecord && type != kWriteRecord) return false;
    const std::size_t headerSize = type == kReadRecord ? kReadHeaderSize : kWriteHeaderSize;
    if (area.size() - position < headerSize) return false;
    const std::uint32_t offset = LoadLittleEndian32(record + kRecordOffsetField);
    const std::size_t size = LoadLittleEndian32(record + kRecordSizeField);
    if (area.size() - position - headerSize < size) return false;
    const std::span<std::byte> data(record + headerSize, size);
    if (type == kReadRecord) {
      memory.Read(offset, data);
    } else {
      memory.Write(offset, data);
      if (onWrite) onWrite(offset, data);
    }
    position += headerSize + size;
  }
  return false;
}

std::string DescribeWrite(std::uint32_t offset, std::span<const std::byte> data) {
  std::ostringstream line;
  line << "write 0x" << std::uppercase << std::hex << std::setw(4) << std::setfill('0') << offset
       << std::dec << " size " << data.size();
  if (data.size() == 2 || data.size() == 4) {
    line << " value " << SignedValue(data);
  } else if (!data.empty()) {
    line << " bytes" << std::hex << std::setfill('0');
    for (const std::byte b : data) line << ' ' << std::setw(2) << std::to_integer<unsigned>(b);
  }
  return line.str();
}

}  // namespace tarnwick
